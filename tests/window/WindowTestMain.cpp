#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include "engine/Dictionary.h"

namespace {

// The offscreen platform warns on every fixed-size widget that it cannot pass size hints to
// a window manager; that says nothing about the window, so only that warning is dropped.
QtMessageHandler previousHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) {
    return;
  }
  if (previousHandler != nullptr) {
    previousHandler(type, context, message);
  }
}

// Every test starts from no settings, as the window's first start.
class TFreshSettings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { QSettings().clear(); }
};

}  // namespace

// The window tests need one application object for the whole binary, created the way the
// program creates it: the dictionary first, then the application, offscreen. Settings go to a
// folder of their own under names of their own, never to the user's.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(FilterMessages);
  ::testing::InitGoogleTest(&argc, argv);
  const QTemporaryDir settingsFolder;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
  QCoreApplication::setOrganizationName(QStringLiteral("LexipulseTests"));
  QCoreApplication::setApplicationName(QStringLiteral("window_tests"));
  ::testing::UnitTest::GetInstance()->listeners().Append(new TFreshSettings);
  lexipulse::LoadDictionary();
  int result = 0;
  {
    QApplication application(argc, argv);
    result = RUN_ALL_TESTS();
  }
  lexipulse::FreeDictionary();
  return result;
}
