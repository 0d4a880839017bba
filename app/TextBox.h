#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextFormat>

class QKeyEvent;
class QMimeData;
class QTextBlock;
class QTextCursor;

namespace lexipulse {

// TTextBox is a multi-line text box that stays quick with very long lines. Qt lays out a line
// as one block, and wrapping one unbroken word takes time that grows with the square of its
// length; so a line longer than kChunk code units is held as several blocks, each after the
// first marked as continuing the line before. The marks are invisible: Text, copying and
// dragging join the pieces again, and the box shows the line wrapped as any other, with at
// most an earlier wrap where one piece ends.
class TTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  static constexpr qsizetype kChunk = 4096;
  // kContinuedLine is the format property that marks the start of a block continuing the line
  // before it.
  static constexpr int kContinuedLine = QTextFormat::UserProperty + 1;
  // kHighlightedLetter is the format property of a character drawn as a marked letter; what is
  // typed next to one does not take its format.
  static constexpr int kHighlightedLetter = QTextFormat::UserProperty + 2;

  explicit TTextBox(QWidget* parent = nullptr);

  // Text is the box's lines joined with lineBreak; a line separator typed inside a line
  // (Shift+Return) counts as a line break, as the box shows it.
  QString Text(const QString& lineBreak) const;
  // SetText replaces the whole text; lines break at LF.
  void SetText(const QString& text);
  // HasPieces tells whether some line of the box is held in pieces.
  bool HasPieces() const;
  // TextBetween is the text from position start to end, lines joined with LF.
  QString TextBetween(int start, int end) const;

  // Continues tells whether block continues the line of the block before it.
  static bool Continues(const QTextBlock& block);
  // InsertLines puts text in place of the cursor's selection, lines breaking at LF, each long
  // line in pieces.
  static void InsertLines(QTextCursor& cursor, QStringView text);

 signals:
  // FilesDropped tells that local files were dropped or pasted on the box.
  void FilesDropped(const QStringList& paths);

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
  // Backspace, Delete and the arrow keys step over the invisible break between two pieces,
  // so that each key does at a piece's edge what it does anywhere else in the line; text typed
  // beside a highlighted letter goes in plain.
  void keyPressEvent(QKeyEvent* event) override;
};

// LocalFiles are the local files a drop or a paste names, or none when it names anything else.
QStringList LocalFiles(const QMimeData& data);

}  // namespace lexipulse
