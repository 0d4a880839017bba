#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Context.h"

namespace lexipulse {

// THeteronymReading is a part of speech whose stress the heteronym table gives.
enum class THeteronymReading : std::uint8_t { Noun, Verb, Adjective };

// THeteronymDecided tells how a form's reading is chosen: by its neighbours, always the
// default (readings that differ as names rather than parts of speech), or by the form itself
// (an -ed or -ing form takes the verb's stress).
enum class THeteronymDecided : std::uint8_t { Context, Fixed, Form };

// THeteronym is one form of the heteronym table: its marked form (dictionary notation) for
// each reading it has, empty for a reading it lacks, and the reading taken without a cue.
struct THeteronym {
  std::u16string Form;
  std::u16string Noun;
  std::u16string Verb;
  std::u16string Adjective;
  THeteronymReading Default = THeteronymReading::Noun;
  THeteronymDecided Decided = THeteronymDecided::Context;

  // Marked is the marked form of a reading, falling back to the one the reading shares its
  // stress with when the form lacks it (an adjective to the noun, a noun to the adjective).
  const std::u16string& Marked(THeteronymReading reading) const;
};

// FindHeteronym returns the table's entry for a lowercased run of word characters, or null.
// The table is read from the embedded HETERONYMS resource at the first call and stays for the
// life of the process.
const THeteronym* FindHeteronym(std::u16string_view form);

// THeteronymDecision is the reading chosen for one occurrence and why: the reason names the
// neighbour that decided ("after \"to\"", "before \"the\"") or reads "-ed form", "-ing form"
// or "more frequent reading".
struct THeteronymDecision {
  THeteronymReading Reading = THeteronymReading::Noun;
  std::u16string Reason;
};

// DecideHeteronym chooses a reading from the neighbours. A word capitalized inside a line is a
// noun (a name or title). Otherwise the previous word decides: the noun after a determiner,
// possessive, quantifier or number, preposition, or a word with an adjective's or participle's
// ending (-al, -ous, -ful, -ive, -ic, -able, -ible, -ant, -ent, -ary, -less, -ish, -ing), but
// the adjective where one stressed apart exists and a word of no cue follows (a minute change),
// except after a quantifier; the verb after to, a modal or auxiliary, not, a subject pronoun, a
// frequency adverb or which/who/that; the adjective after a form of be, also with not or an
// adverb between. Failing that the next word: the verb before an object (a determiner or
// object pronoun), the noun before "of"; else the default. The choice depends only on the
// entry and on ContextClass(context).
THeteronymDecision DecideHeteronym(const THeteronym& entry, const TWordContext& context);

// ContextClass sums up what of a context can change a decision, so that results can be kept
// per word and class: two contexts of one class give every form the same reading.
std::uint16_t ContextClass(const TWordContext& context);

// ReadingName is "noun", "verb" or "adjective".
std::u16string ReadingName(THeteronymReading reading);

// ParseHeteronymTable reads table text (UTF-8, one tab-separated line per form: form, noun,
// verb, adjective, default, decided; '#' starts a comment). Raises std::runtime_error naming
// the line for a malformed one.
std::vector<THeteronym> ParseHeteronymTable(std::string_view text);

}  // namespace lexipulse
