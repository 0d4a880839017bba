#include "app/ResultWriter.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>

#include "app/HighlightFormat.h"
#include "app/TextBox.h"

namespace lexipulse {

namespace {

// The lines one paragraph of a result makes in the box, separated by LF. The CR that ends
// every paragraph but the last joins the LF after it into one break; CR LF and a lone CR
// inside a paragraph are one break each.
QString ParagraphLines(const std::u16string& paragraph, bool last) {
  std::size_t size = paragraph.size();
  if (!last && size > 0 && paragraph[size - 1] == u'\r') {
    --size;
  }
  QString lines = QString::fromUtf16(paragraph.data(), static_cast<qsizetype>(size));
  if (lines.contains(QChar(u'\r'))) {
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar(u'\r'), QChar(u'\n'));
  }
  return lines;
}

// HoldsLines tells whether the blocks from first on hold lines (broken at LF) as the box
// writes them: a line in pieces in blocks that continue it.
bool HoldsLines(QTextBlock first, int blocks, QStringView lines) {
  qsizetype at = 0;
  QTextBlock block = first;
  for (int k = 0; k < blocks; ++k, block = block.next()) {
    if (!block.isValid()) {
      return false;
    }
    if (k > 0 && !TTextBox::Continues(block)) {
      if (at >= lines.size() || lines[at] != u'\n') {
        return false;
      }
      ++at;
    }
    const QString text = block.text();
    if (!lines.sliced(at).startsWith(text)) {
      return false;
    }
    at += text.size();
  }
  return at == lines.size();
}

}  // namespace

// TResultWrite brackets the writer's own writes to the box: no repaint until it closes, no
// undo history, and the writes are not taken for the user's edits.
class TResultWrite {
 public:
  explicit TResultWrite(TResultWriter& writer)
      : _Writer(writer), _Scroll(writer._Box.verticalScrollBar()->value()) {
    _Writer._Writing = true;
    _Writer._Box.setUpdatesEnabled(false);
    _Writer._Box.document()->setUndoRedoEnabled(false);
  }
  ~TResultWrite() {
    QPlainTextEdit& box = _Writer._Box;
    box.document()->setUndoRedoEnabled(true);
    // The box goes back to its first line, unless the user has scrolled it since the run began.
    if (_Writer._UserScrolled) {
      box.verticalScrollBar()->setValue(_Scroll);
    } else {
      box.verticalScrollBar()->setValue(0);
      box.horizontalScrollBar()->setValue(0);
    }
    box.setUpdatesEnabled(true);
    _Writer._Writing = false;
  }
  TResultWrite(const TResultWrite&) = delete;
  TResultWrite& operator=(const TResultWrite&) = delete;

 private:
  TResultWriter& _Writer;
  const int _Scroll;
};

TResultWriter::TResultWriter(QPlainTextEdit& box) : _Box(box) {
  _EditWatch = QObject::connect(&box, &QPlainTextEdit::textChanged, [this] {
    if (!_Writing) {
      _Edited = true;
      _HasLines = true;
    }
  });

  _ScrollWatch = QObject::connect(box.verticalScrollBar(), &QScrollBar::valueChanged, [this](int) {
    if (!_Writing) {
      _UserScrolled = true;
    }
  });
}

TResultWriter::~TResultWriter() {
  QObject::disconnect(_EditWatch);
  QObject::disconnect(_ScrollWatch);
}

void TResultWriter::Clear() {
  Forget();
  _UserScrolled = false;
  {
    TResultWrite write(*this);
    _Box.clear();
  }
  _HasLines = false;
  _Edited = false;
}

void TResultWriter::SetLatest(const TResultText& text) {
  _LatestResult = &text;
  _Pending = true;
}

void TResultWriter::Flush(TFlush flush) {
  if (!Pending()) {
    return;
  }
  const TResultText& result = *_LatestResult;
  QElapsedTimer clock;
  clock.start();
  TResultWrite write(*this);
  const int shownBlocks = std::accumulate(_ShownLines.begin(), _ShownLines.end(), 0);
  const bool sameResult = &result == _ShownResult && !_Edited &&
                          result.ParagraphsDone() >= _ShownDone &&
                          _Box.document()->blockCount() == shownBlocks;
  if (!sameResult) {
    _Box.clear();
    _ShownLines.clear();
    _ShownDone = 0;
    _ShownResult = &result;
    _Edited = false;
  }
  ReplaceDoneParagraphs(result);
  do {
    AppendPiece(result);
  } while (_ShownLines.size() < result.ParagraphCount() &&
           (flush == TFlush::Whole || clock.elapsed() < _BudgetMs));
  _Pending = _ShownLines.size() < result.ParagraphCount();
  _HasLines = true;
}

void TResultWriter::Forget() {
  _LatestResult = nullptr;
  _Pending = false;
  _ShownResult = nullptr;
  _ShownLines.clear();
  _ShownDone = 0;
}

void TResultWriter::KeepDone() {
  if (_LatestResult == nullptr) {
    Clear();
    return;
  }
  Flush(TFlush::Whole);
  const std::size_t done = std::min(_LatestResult->ParagraphsDone(), _ShownLines.size());
  const int lines = std::accumulate(_ShownLines.begin(),
                                    _ShownLines.begin() + static_cast<std::ptrdiff_t>(done), 0);
  Forget();
  if (lines == 0) {
    Clear();
    return;
  }
  TResultWrite write(*this);
  QTextDocument& document = *_Box.document();
  const QTextBlock last = document.findBlockByNumber(lines - 1);
  QTextCursor cursor(&document);
  cursor.setPosition(last.position() + last.length() - 1);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

void TResultWriter::AppendLine(const QString& text) {
  Flush(TFlush::Whole);
  Forget();
  TResultWrite write(*this);
  QTextCursor cursor(_Box.document());
  cursor.movePosition(QTextCursor::End);
  TTextBox::InsertLines(cursor,
                        _HasLines || !_Box.document()->isEmpty() ? QChar(u'\n') + text : text);
  _HasLines = true;
}

// Paragraphs that became final since they were written are exchanged line by line; the rest
// of the box already shows what they are, so a long text costs only what changed.
void TResultWriter::ReplaceDoneParagraphs(const TResultText& result) {
  const std::size_t done = std::min(result.ParagraphsDone(), _ShownLines.size());
  if (_ShownDone >= done) {
    return;
  }
  QTextDocument& document = *_Box.document();
  int block = std::accumulate(_ShownLines.begin(),
                              _ShownLines.begin() + static_cast<std::ptrdiff_t>(_ShownDone), 0);
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (std::size_t index = _ShownDone; index < done; ++index) {
    const QString lines =
        ParagraphLines(result.Paragraph(index), index + 1 == result.ParagraphCount());
    const int oldLines = _ShownLines[index];
    const QTextBlock first = document.findBlockByNumber(block);
    // A paragraph whose text stays (always so in the highlight style) keeps its blocks.
    if (oldLines == 1 ? first.text() == lines : HoldsLines(first, oldLines, lines)) {
      DrawLetters(result, index, block, oldLines);
      block += oldLines;
      continue;
    }
    const QTextBlock last = document.findBlockByNumber(block + oldLines - 1);
    const int blocksBefore = document.blockCount();
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    TTextBox::InsertLines(cursor, lines);
    _ShownLines[index] = oldLines + document.blockCount() - blocksBefore;
    DrawLetters(result, index, block, _ShownLines[index]);
    block += _ShownLines[index];
  }
  cursor.endEditBlock();
  _ShownDone = done;
}

// Adds the next paragraphs of the result after those in the box, about one piece of them.
void TResultWriter::AppendPiece(const TResultText& result) {
  QTextDocument& document = *_Box.document();
  QTextCursor cursor(&document);
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  const std::size_t count = result.ParagraphCount();
  std::size_t written = 0;
  for (std::size_t index = _ShownLines.size(); index < count && written < _Piece; ++index) {
    const std::u16string& paragraph = result.Paragraph(index);
    const int blocksBefore = document.blockCount();
    // The empty box has one empty line, which the first paragraph fills.
    const QString lines = ParagraphLines(paragraph, index + 1 == count);
    TTextBox::InsertLines(cursor, index > 0 ? QChar(u'\n') + lines : lines);
    _ShownLines.push_back(document.blockCount() - blocksBefore + (index == 0 ? 1 : 0));
    if (index < result.ParagraphsDone()) {
      DrawLetters(result, index, index == 0 ? 0 : blocksBefore, _ShownLines.back());
    }
    written += paragraph.size() + 1;
  }
  cursor.endEditBlock();
  // Every paragraph before these was final or has just been exchanged, so those written
  // final now extend the final ones.
  _ShownDone = std::min(result.ParagraphsDone(), _ShownLines.size());
}

void TResultWriter::DrawLetters(const TResultText& result, std::size_t index, int firstBlock,
                                int blocks) {
  if (_Highlight) {
    HighlightParagraph(*_Box.document(), firstBlock, blocks, result.Letters(index));
  }
}

}  // namespace lexipulse
