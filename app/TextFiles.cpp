#include "app/TextFiles.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "cli/ReplacingFile.h"

namespace lexipulse {

namespace {

[[noreturn]] void Fail(const QString& path, const QString& reason,
                       const QString& detail = QString()) {
  throw TFileError(path + QStringLiteral(": ") + reason, detail);
}

// The length of the UTF-8 sequence that starts at bytes[at], or 0 when none does there:
// overlong forms, surrogates and code points above U+10FFFF are faults, as for the decoder.
qsizetype SequenceLength(const QByteArray& bytes, qsizetype at) {
  const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    return 1;
  }
  qsizetype length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) {
    return 0;
  }
  for (qsizetype i = 1; i < length; ++i) {
    const unsigned char next = byte(at + i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
      return 0;
    }
  }
  return length;
}

// Where the first byte that is not UTF-8 lies, as line and byte within the line (from 1).
QString FirstFault(const QByteArray& bytes) {
  qsizetype line = 1;
  qsizetype lineStart = 0;
  qsizetype at = 0;
  while (at < bytes.size()) {
    const qsizetype length = SequenceLength(bytes, at);
    if (length == 0) {
      break;
    }
    if (bytes[at] == '\n') {
      ++line;
      lineStart = at + 1;
    }
    at += length;
  }
  return QStringLiteral("line %1, byte %2").arg(line).arg(at - lineStart + 1);
}

}  // namespace

QString TFileError::Message() const {
  const QString message = QString::fromUtf8(what());
  return _Detail.isEmpty() ? message : message + QStringLiteral("\n\n") + _Detail;
}

QString ReadTextFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    Fail(path, QStringLiteral("cannot open"), QStringLiteral("There is no such file."));
  }
  if (info.isDir()) {
    Fail(path, QStringLiteral("is a directory"), QStringLiteral("Choose a text file in it."));
  }
  if (!info.isFile()) {
    Fail(path, QStringLiteral("is not a regular file"),
         QStringLiteral("Only text files can be opened."));
  }
  if (info.size() > kLargestTextFile) {
    Fail(path, QStringLiteral("too large to open"),
         QStringLiteral("The file has %1 MB; at most %2 MB can be opened. lexipulse-cli "
                        "stresses files of any size.")
             .arg(info.size() / (1024 * 1024))
             .arg(kLargestTextFile / (1024 * 1024)));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Fail(path, QStringLiteral("cannot open"), file.errorString());
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    Fail(path, QStringLiteral("read error"), file.errorString());
  }
  // Stateless, so that a character cut off at the end of the file is a fault, not dropped.
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder(bytes);
  if (decoder.hasError()) {
    Fail(path, QStringLiteral("not UTF-8 text"),
         QStringLiteral("The first byte that is not UTF-8 is at %1. Save the file as UTF-8 "
                        "and open it again.")
             .arg(FirstFault(bytes)));
  }
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}

void WriteTextFile(const QString& path, const QString& text) {
  QByteArray bytes = text.toUtf8();
  if (!bytes.isEmpty() && !bytes.endsWith('\n')) {
    bytes.append('\n');
  }
  WriteFileBytes(path, bytes);
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  try {
    TReplacingFile file(QFile::encodeName(path).toStdString());
    file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.Commit();
  } catch (const TOutputError& error) {
    throw TFileError(QString::fromUtf8(error.what()));
  }
}

}  // namespace lexipulse
