#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <string>

namespace lexipulse {

// TFileError is a file that cannot be read or written: what() is a one-line message in UTF-8
// that names the file, Detail() says more where there is more to say.
class TFileError : public std::runtime_error {
 public:
  explicit TFileError(const QString& message, const QString& detail = QString())
      : std::runtime_error(message.toStdString()), _Detail(detail) {}
  const QString& Detail() const { return _Detail; }
  // Message is what() and the detail, for a message box.
  QString Message() const;

 private:
  QString _Detail;
};

// kLargestTextFile is the largest file the window opens, in bytes.
inline constexpr qint64 kLargestTextFile = 64 * 1024 * 1024;

// ReadTextFile reads a UTF-8 text file whole, a byte order mark left out, its lines broken at
// LF whatever breaks they had (CR LF, CR or LF). Raises TFileError for a file that cannot be
// read, is no regular file, is larger than kLargestTextFile or is not UTF-8.
QString ReadTextFile(const QString& path);

// WriteTextFile writes text (lines broken at LF) as UTF-8, each line ended by LF, through a
// temporary file renamed over path at the end, so an old file is replaced only by a whole new
// one. Raises TFileError when it cannot.
void WriteTextFile(const QString& path, const QString& text);

// WriteFileBytes writes bytes as WriteTextFile writes text.
void WriteFileBytes(const QString& path, const QByteArray& bytes);

}  // namespace lexipulse
