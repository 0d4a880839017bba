#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
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

}  // namespace

// The window tests need one application object for the whole binary, created the way the
// program creates it: the dictionary first, then the application, offscreen.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(FilterMessages);
  ::testing::InitGoogleTest(&argc, argv);
  lexipulse::LoadDictionary();
  int result = 0;
  {
    QApplication application(argc, argv);
    result = RUN_ALL_TESTS();
  }
  lexipulse::FreeDictionary();
  return result;
}
