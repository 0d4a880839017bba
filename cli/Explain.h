#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/StressOptions.h"

namespace lexipulse {

// TExplanation is what the pipeline makes of one word item and how it was decided.
struct TExplanation {
  // Item is the word item as the pipeline cut it from its line.
  std::u16string Item;
  // Display is the item as the pipeline writes it back.
  std::u16string Display;
  // How is one of: "no word characters, left as it is"; "short word, left as it is";
  // "short word, lowercased"; "too long for a word, left as it is"; the name of the rule that
  // stopped the chain ("Cameroon Rule", "Cameroon Rule - exception"); or "dictionary "
  // followed by each lookup made, in order and joined by ", ", as "<radical>+<ending> found",
  // "<radical>+<ending> not found" or, for a lookup without an ending, "<word> found" /
  // "<word> not found"; in the dictionary-first order also "already stressed, left as it is"
  // and, for a word of the heteronym table, "heteronym <word>: <reading> (<reason>)", as
  // heteronym record: verb (after "to").
  std::u16string How;
};

// ExplainParagraph cuts a paragraph into word items at its spaces as the pipeline does and
// treats each one as the pipeline treats it in that paragraph (an item of four code units or
// fewer shows lowercased when a longer item follows it, a longer one has its first run of
// word characters stressed), with the given options, telling how each was decided.
// An empty paragraph has no items.
std::vector<TExplanation> ExplainParagraph(const std::u16string& paragraph,
                                           TStressOptions options = {});

// ExplainText is the output of --explain for a text (valid UTF-8): one line per word item of
// every line, as the console stresses the text (the last item of a line that a break ends
// carries the CR the pipeline sees there, which the fields leave out), each field escaped
// with EscapeControls and the three joined by tabs.
std::string ExplainText(std::string_view text, TStressOptions options = {});

// ExplainWords is the output of --explain for words given one by one; each word is a text of
// its own, and an empty word is one empty item. A word that is not UTF-8 raises TInputError.
std::string ExplainWords(const std::vector<std::string>& words, TStressOptions options = {});

}  // namespace lexipulse
