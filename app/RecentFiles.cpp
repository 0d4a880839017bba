#include "app/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace lexipulse {

namespace {

constexpr char kKey[] = "recentFiles";

void Store(const QStringList& paths) { QSettings().setValue(QLatin1String(kKey), paths); }

}  // namespace

QStringList TRecentFiles::Paths() { return QSettings().value(QLatin1String(kKey)).toStringList(); }

void TRecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList paths = Paths();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  while (paths.size() > kMost) {
    paths.removeLast();
  }
  Store(paths);
}

void TRecentFiles::Remove(const QString& path) {
  QStringList paths = Paths();
  paths.removeAll(QFileInfo(path).absoluteFilePath());
  Store(paths);
}

}  // namespace lexipulse
