#include "app/HighlightFormat.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cstddef>

#include "app/TextBox.h"

namespace lexipulse {

QTextCharFormat HighlightFormat(TStressLevel level) {
  QTextCharFormat format;
  if (level == TStressLevel::Primary) {
    format.setFontWeight(QFont::Bold);
  }
  format.setFontUnderline(true);
  format.setProperty(kStressLevelProperty, level == TStressLevel::Primary ? 1 : 2);
  return format;
}

void HighlightParagraph(QTextDocument& document, int firstBlock, int blocks,
                        const std::vector<TStressedLetter>& letters) {
  if (letters.empty() || blocks <= 0) {
    return;
  }
  QTextBlock block = document.findBlockByNumber(firstBlock);
  int blocksLeft = blocks;
  // Where block starts in the paragraph: a line break of the paragraph is one character of it,
  // the break between two pieces of a long line none.
  std::size_t blockStart = 0;
  QTextCursor cursor(&document);
  const QTextCharFormat primary = HighlightFormat(TStressLevel::Primary);
  const QTextCharFormat secondary = HighlightFormat(TStressLevel::Secondary);
  // Letters next to each other in the document and of one level take their format at once;
  // the paragraph was written plain, so the format is set rather than merged.
  int runStart = -1;
  int runEnd = -1;
  TStressLevel runLevel = TStressLevel::Primary;
  const auto drawRun = [&] {
    if (runStart >= 0) {
      cursor.setPosition(runStart);
      cursor.setPosition(runEnd, QTextCursor::KeepAnchor);
      cursor.setCharFormat(runLevel == TStressLevel::Primary ? primary : secondary);
    }
  };
  for (const TStressedLetter& letter : letters) {
    while (block.isValid() &&
           letter.Position >= blockStart + static_cast<std::size_t>(block.length() - 1)) {
      if (--blocksLeft == 0) {
        block = QTextBlock();
        break;
      }
      const QTextBlock next = block.next();
      blockStart += static_cast<std::size_t>(block.length() - 1) +
                    (next.isValid() && !TTextBox::Continues(next) ? 1 : 0);
      block = next;
    }
    if (!block.isValid()) {
      break;
    }
    if (letter.Position < blockStart) {
      // A letter on a line break draws nothing.
      continue;
    }
    const int at = block.position() + static_cast<int>(letter.Position - blockStart);
    if (at == runEnd && letter.Level == runLevel) {
      ++runEnd;
      continue;
    }
    drawRun();
    runStart = at;
    runEnd = at + 1;
    runLevel = letter.Level;
  }
  drawRun();
}

std::vector<TStressedLetter> HighlightedLetters(const QTextDocument& document) {
  std::vector<TStressedLetter> letters;
  std::size_t lineStart = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin() && !TTextBox::Continues(block)) {
      ++lineStart;
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int level = fragment.charFormat().intProperty(kStressLevelProperty);
      if (level == 1 || level == 2) {
        const std::size_t from =
            lineStart + static_cast<std::size_t>(fragment.position() - block.position());
        for (int k = 0; k < fragment.length(); ++k) {
          letters.push_back({from + static_cast<std::size_t>(k),
                             level == 1 ? TStressLevel::Primary : TStressLevel::Secondary});
        }
      }
    }
    lineStart += static_cast<std::size_t>(block.length() - 1);
  }
  return letters;
}

}  // namespace lexipulse
