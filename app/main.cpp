#include <QFile>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Version.h"
#include "app/uLexipulse.h"

namespace {

constexpr char kHelp[] =
    "Usage: lexipulse [FILE]...\n"
    "Open the Lexipulse window, which marks the lexical stress of the English words in the\n"
    "text of its source box. With FILEs (UTF-8 text), their text goes into the source box in\n"
    "place of the sample text; press Stress Text to stress it.\n"
    "\n"
    "Options:\n"
    "  --reset-settings  start as at the first start: forget the order, font size, window\n"
    "                    size, panel heights and recent files the window remembers\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "The window needs a display: DISPLAY (X11) or WAYLAND_DISPLAY must be set, or\n"
    "QT_QPA_PLATFORM must name a platform, e.g. QT_QPA_PLATFORM=offscreen to run without one.\n"
    "Qt's own options, such as -platform NAME, are accepted too.\n"
    "\n"
    "Exit status: 0 when the window is closed, 1 when it cannot be opened.\n"
    "\n"
    "lexipulse-cli stresses text files and standard input from the console.\n";

constexpr char kResetSettings[] = "--reset-settings";

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool NamesPlatform(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
      return true;
    }
  }
  return false;
}

// While the application starts, Qt's messages are held back: a fatal start failure then
// becomes one line and exit status 1 instead of Qt's abort and its advice to reinstall, and
// once the window is shown the held messages are written as Qt would have written them.
QStringList gHeldMessages;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const bool hasCategory =
      context.category != nullptr && std::strcmp(context.category, "default") != 0;
  const QString line = hasCategory
                           ? QString::fromLatin1(context.category) + QStringLiteral(": ") + message
                           : message;
  if (type == QtFatalMsg) {
    const QString reason =
        gHeldMessages.isEmpty() ? line.section(QLatin1Char('\n'), 0, 0) : gHeldMessages.front();
    std::fprintf(stderr, "lexipulse: cannot open the window: %s\n", qPrintable(reason));
    std::fflush(stderr);
    std::_Exit(1);
  }
  gHeldMessages.append(line);
}

void ReleaseStartupMessages() {
  qInstallMessageHandler(nullptr);
  for (const QString& line : gHeldMessages) {
    std::fprintf(stderr, "%s\n", qPrintable(line));
  }
  gHeldMessages.clear();
}

// OpenFiles puts the files named after Qt's own options into the source box, one after the
// other; when one cannot be read the box keeps its text and a message says why.
void OpenFiles(lexipulse::TfLexipulse& window, int argc, char** argv) {
  QStringList paths;
  bool onlyFiles = false;
  for (int i = 1; i < argc; ++i) {
    if (!onlyFiles && std::strcmp(argv[i], "--") == 0) {
      onlyFiles = true;
      continue;
    }
    if (!onlyFiles && std::strcmp(argv[i], kResetSettings) == 0) {
      continue;
    }
    paths.append(QFile::decodeName(argv[i]));
  }
  if (!paths.isEmpty()) {
    window.OpenFiles(paths);
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("lexipulse (Lexipulse) %s\n", lexipulse::kProgramVersion);
      return 0;
    }
  }
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("QT_QPA_PLATFORM") &&
      !NamesPlatform(argc, argv)) {
    std::fputs(
        "lexipulse: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
        "set); lexipulse-cli works without one\n",
        stderr);
    return 1;
  }
  bool resetSettings = false;
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    resetSettings = resetSettings || std::strcmp(argv[i], kResetSettings) == 0;
  }
  qInstallMessageHandler(HoldStartupMessage);
  return lexipulse::RunLexipulse(
      argc, argv,
      [&argc, argv](lexipulse::TfLexipulse& window) {
        ReleaseStartupMessages();
        OpenFiles(window, argc, argv);
      },
      resetSettings);
}
