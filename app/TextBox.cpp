#include "app/TextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>
#include <algorithm>

namespace lexipulse {

namespace {

// Where a piece of a long line may end: at a space near the chunk size when there is one, so
// that the earlier wrap falls between words, and never inside a surrogate pair.
qsizetype PieceEnd(QStringView line, qsizetype from) {
  qsizetype end = std::min(line.size(), from + TTextBox::kChunk);
  if (end == line.size()) {
    return end;
  }
  const qsizetype spaceFrom = end - TTextBox::kChunk / 8;
  for (qsizetype at = end; at > spaceFrom; --at) {
    if (line[at - 1] == u' ') {
      return at;
    }
  }
  if (line[end - 1].isHighSurrogate()) {
    --end;
  }
  return end;
}

// The mark sits in the format of the break itself, the character that starts a block, so it
// goes wherever that character goes: deleting the break deletes the mark, and a break the user
// types has none.
QTextCharFormat BreakFormat(bool continued) {
  QTextCharFormat format;
  if (continued) {
    format.setProperty(TTextBox::kContinuedLine, true);
  }
  return format;
}

bool HasLongLine(QStringView text) {
  qsizetype from = 0;
  while (from < text.size()) {
    qsizetype lf = text.indexOf(u'\n', from);
    if (lf < 0) {
      lf = text.size();
    }
    if (lf - from > TTextBox::kChunk) {
      return true;
    }
    from = lf + 1;
  }
  return false;
}

void InsertText(QTextCursor& cursor, QStringView text) {
  cursor.insertText(text.toString(), QTextCharFormat());
}

void InsertLine(QTextCursor& cursor, QStringView line) {
  qsizetype from = 0;
  do {
    const qsizetype end = PieceEnd(line, from);
    if (from > 0) {
      cursor.insertBlock(QTextBlockFormat(), BreakFormat(true));
    }
    InsertText(cursor, line.sliced(from, end - from));
    from = end;
  } while (from < line.size());
}

}  // namespace

TTextBox::TTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

bool TTextBox::Continues(const QTextBlock& block) {
  return block.charFormat().boolProperty(kContinuedLine);
}

void TTextBox::InsertLines(QTextCursor& cursor, QStringView text) {
  cursor.removeSelectedText();
  // Text of short lines goes in at once, its breaks made with a plain format.
  if (!HasLongLine(text)) {
    InsertText(cursor, text);
    return;
  }
  qsizetype from = 0;
  while (true) {
    const qsizetype lf = text.indexOf(u'\n', from);
    const qsizetype end = lf < 0 ? text.size() : lf;
    const QStringView line = text.sliced(from, end - from);
    if (line.size() <= kChunk) {
      if (!line.isEmpty()) {
        InsertText(cursor, line);
      }
    } else {
      InsertLine(cursor, line);
    }
    if (lf < 0) {
      break;
    }
    cursor.insertBlock(QTextBlockFormat(), BreakFormat(false));
    from = lf + 1;
  }
}

QString TTextBox::Text(const QString& lineBreak) const {
  // Without pieces the raw text is the lines between paragraph separators; it is read raw,
  // because the document's plain-text export turns no-break spaces into spaces.
  if (!HasPieces()) {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, lineBreak);
    text.replace(QChar::LineSeparator, lineBreak);
    return text;
  }
  return TextBetween(0, document()->characterCount() - 1).replace(QChar(u'\n'), lineBreak);
}

bool TTextBox::HasPieces() const {
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (Continues(block)) {
      return true;
    }
  }
  return false;
}

void TTextBox::SetText(const QString& text) {
  clear();
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  InsertLines(cursor, text);
  cursor.endEditBlock();
  cursor.movePosition(QTextCursor::Start);
  setTextCursor(cursor);
}

QString TTextBox::TextBetween(int start, int end) const {
  QString text;
  text.reserve(end - start);
  for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() <= end;
       block = block.next()) {
    const int blockStart = block.position();
    if (blockStart > start && !Continues(block)) {
      text += QChar(u'\n');
    }
    const int from = std::max(start, blockStart);
    const int to = std::min(end, blockStart + block.length() - 1);
    if (to > from) {
      text += QStringView(block.text()).sliced(from - blockStart, to - from);
    }
  }
  text.replace(QChar::LineSeparator, QChar(u'\n'));
  return text;
}

bool TTextBox::canInsertFromMimeData(const QMimeData* source) const {
  return !LocalFiles(*source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

void TTextBox::insertFromMimeData(const QMimeData* source) {
  const QStringList files = LocalFiles(*source);
  if (!files.isEmpty()) {
    emit FilesDropped(files);
    return;
  }
  if (!source->hasText()) {
    return;
  }
  QString text = source->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  InsertLines(cursor, text);
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

QMimeData* TTextBox::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  auto* data = new QMimeData;
  data->setText(TextBetween(cursor.selectionStart(), cursor.selectionEnd()));
  return data;
}

void TTextBox::keyPressEvent(QKeyEvent* event) {
  QTextCursor cursor = textCursor();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool shift = modifiers == Qt::ShiftModifier;
  const bool plain = modifiers == Qt::NoModifier;
  const bool atPieceStart = cursor.atBlockStart() && Continues(cursor.block());
  const bool atPieceEnd =
      cursor.atBlockEnd() && cursor.block().next().isValid() && Continues(cursor.block().next());
  const QTextCursor::MoveMode mode = shift ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
  bool handled = true;
  if (event->key() == Qt::Key_Backspace && plain && !cursor.hasSelection() && atPieceStart) {
    cursor.movePosition(QTextCursor::PreviousCharacter);
    cursor.deletePreviousChar();
  } else if (event->key() == Qt::Key_Delete && plain && !cursor.hasSelection() && atPieceEnd) {
    cursor.movePosition(QTextCursor::NextCharacter);
    cursor.deleteChar();
  } else if (event->key() == Qt::Key_Left && (plain || shift) && atPieceStart) {
    cursor.movePosition(QTextCursor::PreviousCharacter, mode, 2);
  } else if (event->key() == Qt::Key_Right && (plain || shift) && atPieceEnd) {
    cursor.movePosition(QTextCursor::NextCharacter, mode, 2);
  } else if ((plain || shift) && !event->text().isEmpty() && event->text().front().isPrint() &&
             cursor.charFormat().hasProperty(kHighlightedLetter)) {
    // What is typed beside a highlighted letter is plain text, not one more marked letter.
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertText(event->text(), QTextCharFormat());
    cursor.endEditBlock();
  } else {
    handled = false;
  }
  if (!handled) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  setTextCursor(cursor);
  ensureCursorVisible();
  event->accept();
}

QStringList LocalFiles(const QMimeData& data) {
  QStringList paths;
  if (!data.hasUrls()) {
    return paths;
  }
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) {
      return {};
    }
    paths.append(url.toLocalFile());
  }
  return paths;
}

}  // namespace lexipulse
