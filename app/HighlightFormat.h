#pragma once

#include <QTextCharFormat>
#include <QTextFormat>
#include <vector>

#include "app/TextBox.h"
#include "engine/Notation.h"

class QTextDocument;

namespace lexipulse {

// kStressLevelProperty marks a character of the result box drawn as a stressed letter of the
// highlight style: 1 for primary stress, 2 for secondary. The mark goes with the character, so
// the letters can be read back from the box however it was written or edited.
inline constexpr int kStressLevelProperty = TTextBox::kHighlightedLetter;

// HighlightFormat is how the highlight style draws a letter of the level: primary bold and
// underlined, secondary underlined only, each carrying kStressLevelProperty.
QTextCharFormat HighlightFormat(TStressLevel level);

// HighlightParagraph draws letters over the paragraph of a result box (TTextBox) that takes
// the blocks from firstBlock on, positions counted in the paragraph, each line break of it one
// character; positions beyond it are skipped. Only formats change, never the text.
void HighlightParagraph(QTextDocument& document, int firstBlock, int blocks,
                        const std::vector<TStressedLetter>& letters);

// HighlightedLetters are the letters the document's text box draws as stressed, positions
// counted in TTextBox::Text of the box (lines joined with one character), in ascending order.
std::vector<TStressedLetter> HighlightedLetters(const QTextDocument& document);

}  // namespace lexipulse
