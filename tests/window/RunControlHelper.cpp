// A window program that starts a run of the sample and, in the middle of it, ends the program
// the way the mode says. It prints the caption at that moment and the status line when the
// event loop has ended, so the caller can tell that the run stopped at once.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/uLexipulse.h"

namespace {

constexpr char kRunCaption[] = "Processing paragraph ";
constexpr int kActFromParagraph = 2;

// The paragraph a run's caption names, or -1 for any other caption.
int CaptionParagraph(const QString& caption) {
  if (!caption.startsWith(QLatin1String(kRunCaption))) {
    return -1;
  }
  return caption.mid(static_cast<int>(sizeof kRunCaption) - 1)
      .section(QLatin1Char(','), 0, 0)
      .toInt();
}

// LengthenSource repeats the sample 256 times, so that a run lasts long enough to be
// interrupted or looked at.
void LengthenSource(lexipulse::TfLexipulse& window) {
  QString text = window.mSource->toPlainText();
  for (int copy = 0; copy < 8; ++copy) {
    text += QLatin1Char('\n') + text;
  }
  window.mSource->setPlainText(text);
}

void Print(const char* label, const QString& text) {
  std::printf("%s: %s\n", label, text.toUtf8().constData());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const bool settingsMode = mode == "keep-settings" || mode == "reset-settings";
  if (mode != "quit-menu" && mode != "close" && mode != "ctrl-q" && mode != "idle-quit" &&
      mode != "show-stressed" && mode != "show-running" && mode != "show-marked" && !settingsMode) {
    std::fprintf(stderr,
                 "usage: %s quit-menu|close|ctrl-q|idle-quit|show-stressed|show-running|"
                 "show-marked|keep-settings|reset-settings [ms]\n",
                 argv[0]);
    return 2;
  }
  const int showMs = argc > 2 ? std::stoi(argv[2]) : 3000;
  // What the window remembers goes to a folder of the helper's own, never to the user's.
  const QTemporaryDir settingsFolder;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
  if (settingsMode) {
    // A font size chosen before, which the window takes, or forgets with resetSettings.
    lexipulse::SetApplicationNames();
    QSettings().setValue(QStringLiteral("view/fontSize"), 20);
    return lexipulse::RunLexipulse(
        argc, argv,
        [](lexipulse::TfLexipulse& window) {
          Print("font-size", QString::number(window.spb->value()));
          QTimer::singleShot(0, window.mnQuit, &QAction::trigger);
        },
        mode == "reset-settings");
  }
  return lexipulse::RunLexipulse(argc, argv, [&](lexipulse::TfLexipulse& window) {
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&window] {
      Print("at-exit", window.lbStatus->text());
      Print("depth-at-exit", QString::number(window.RunDepth()));
    });
    if (mode == "idle-quit") {
      QTimer::singleShot(0, window.mnQuit, &QAction::trigger);
      return;
    }
    if (mode == "show-running") {
      LengthenSource(window);
    }
    if (mode == "show-marked") {
      window.mnMarkUnknown->trigger();
    }
    if (mode == "show-stressed" || mode == "show-running" || mode == "show-marked") {
      QTimer::singleShot(200, window.btnStress, &QPushButton::click);
      QTimer::singleShot(showMs, &window, &lexipulse::TfLexipulse::mnQuitClick);
      return;
    }
    // A long text keeps the run going across many event pumps, whatever the machine's speed.
    LengthenSource(window);
    window.activateWindow();
    QTimer::singleShot(0, window.btnStress, &QPushButton::click);
    // Fires inside the run's event pumping; acts once the run is under way. Should the run end
    // before the timer ever saw it, the helper fails instead of waiting for ever.
    auto* watch = new QTimer(&window);
    auto runSeen = std::make_shared<bool>(false);
    QObject::connect(watch, &QTimer::timeout, [&window, watch, mode, runSeen] {
      const QString caption = QString::fromStdU16String(window.GetCaption());
      if (window.RunDepth() == 0) {
        if (*runSeen) {
          Print("at-quit", QStringLiteral("<the run ended first>"));
          std::exit(3);
        }
        return;
      }
      *runSeen = true;
      if (CaptionParagraph(caption) < kActFromParagraph) {
        return;
      }
      watch->stop();
      Print("at-quit", caption);
      if (mode == "quit-menu") {
        window.mnQuit->trigger();
      } else if (mode == "close") {
        window.close();
      } else {
        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
      }
    });
    watch->start(0);
  });
}
