#pragma once

#include <QString>
#include <QStringList>

namespace lexipulse {

// TRecentFiles is the list of files opened last, newest first, kept in the window's settings.
class TRecentFiles {
 public:
  static constexpr int kMost = 8;

  // Paths are the files, newest first.
  static QStringList Paths();
  // Add puts path first, once, and drops the oldest beyond kMost.
  static void Add(const QString& path);
  static void Remove(const QString& path);
};

}  // namespace lexipulse
