#include <gtest/gtest.h>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>

namespace {

// Each case runs the window program in a child process, since ending the program is what
// is under test: it must exit 0, cleanly, and a run must stop where it was.
struct TEndCase {
  const char* mode;
  bool duringRun;
};

QString Field(const QString& output, const QString& label) {
  for (const QString& line : output.split(QLatin1Char('\n'))) {
    if (line.startsWith(label + QStringLiteral(": "))) {
      return line.mid(label.size() + 2);
    }
  }
  return QStringLiteral("<missing>");
}

TEST(TRunControlTest, QuitAndCloseEndTheProgramCleanly) {
  for (const TEndCase& c : {TEndCase{"quit-menu", true}, TEndCase{"close", true},
                            TEndCase{"ctrl-q", true}, TEndCase{"idle-quit", false}}) {
    SCOPED_TRACE(c.mode);
    QProcess child;
    child.start(QStringLiteral(LEXIPULSE_RUN_HELPER), {QString::fromLatin1(c.mode)});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QString err = QString::fromUtf8(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("Sanitizer"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("runtime error"))) << err.toStdString();
    EXPECT_EQ(Field(out, QStringLiteral("depth-at-exit")), QStringLiteral("0"));
    const QString atExit = Field(out, QStringLiteral("at-exit"));
    if (c.duringRun) {
      // No word after the one being processed when the program was told to end.
      EXPECT_EQ(atExit, Field(out, QStringLiteral("at-quit"))) << out.toStdString();
    } else {
      EXPECT_EQ(atExit, QStringLiteral("Status")) << out.toStdString();
    }
  }
}

// The program takes the settings it finds, or none with --reset-settings.
TEST(TRunControlTest, ResetSettingsStartsFromTheFirstStart) {
  for (const auto& [mode, fontSize] :
       {std::pair{"keep-settings", "20"}, std::pair{"reset-settings", "12"}}) {
    SCOPED_TRACE(mode);
    QProcess child;
    child.start(QStringLiteral(LEXIPULSE_RUN_HELPER), {QString::fromLatin1(mode)});
    ASSERT_TRUE(child.waitForFinished(120000));
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_EQ(Field(QString::fromUtf8(child.readAllStandardOutput()), QStringLiteral("font-size")),
              QString::fromLatin1(fontSize));
  }
}

}  // namespace
