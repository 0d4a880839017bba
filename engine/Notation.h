#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Context.h"
#include "engine/StressOptions.h"

namespace lexipulse {

// TStressLevel is the level of a stressed letter.
enum class TStressLevel { Primary, Secondary };

// TStressedLetter is one stressed letter of a text: its position in UTF-16 code units and the
// level of its stress. Adjacent letters of one vowel group are separate entries.
struct TStressedLetter {
  std::size_t Position = 0;
  TStressLevel Level = TStressLevel::Primary;

  friend bool operator==(const TStressedLetter&, const TStressedLetter&) = default;
};

// TRunNotation is how one lowercased run of word characters is written under the options.
struct TRunNotation {
  // Classic is the display form of the classic style: rule capitals converted by
  // CapitalsToAccents, dictionary accents, and, when secondary stress is asked for, the
  // secondary vowels as lowercase grave letters.
  std::u16string Classic;
  // Letters are the stressed letters of the run that the accents and highlight styles mark,
  // positions counted from the start of the run. Empty for a word of one syllable, and in the
  // classic style, which shows Classic alone.
  std::vector<TStressedLetter> Letters;
  // British tells whether the form came from the table of British stress.
  bool British = false;
};

// NoteRun stresses a run of word characters (lowercased, as the pipeline hands it over) and
// writes it as the options ask. With the default options Classic is exactly
// CapitalsToAccents of the word record's WordStressed and Letters is empty.
// context is the word's neighbours, which a word of the heteronym table reads in the
// dictionary-first order.
TRunNotation NoteRun(const std::u16string& run, TStressOptions options, TWordContext context = {});

// NotationOfForm is NoteRun for a run whose classic primary-stress display form is already
// known (the word record's, or the British table's): it adds the secondary stress the options
// ask for and finds the letters the styles mark.
TRunNotation NotationOfForm(const std::u16string& run, const std::u16string& display,
                            TStressOptions options);

// StressedLetters lists the letters that a display form marks: accented capitals (Á É Í Ó Ú Ý)
// as primary stress, lowercase grave vowels (à è ì ò ù ỳ) as secondary.
std::vector<TStressedLetter> StressedLetters(std::u16string_view display);

// MarkedLetter is letter (an ASCII vowel letter) with the precomposed accent of its level, in
// its own case: acute for primary (a -> á, Y -> Ý), grave for secondary (e -> è, y -> ỳ).
// Any other character comes back as it is.
char16_t MarkedLetter(char16_t letter, TStressLevel level);

// UnmarkedLetter undoes MarkedLetter: a precomposed acute or grave vowel of the notation back
// to its ASCII letter; any other character comes back as it is.
char16_t UnmarkedLetter(char16_t marked);

// ApplyAccents puts the accent of each letter's level on the letters of text at the given
// positions (positions beyond text, or on characters that are not ASCII vowels, are skipped).
void ApplyAccents(std::u16string& text, const std::vector<TStressedLetter>& letters,
                  std::size_t offset = 0);

// LooksMonosyllabic guesses, from its spelling alone, whether a lowercased word has one
// syllable: one group of vowel letters, not counting a silent final e or the e of a final
// -es or -ed that makes no syllable. Used for words the pronunciation tables lack.
bool LooksMonosyllabic(std::u16string_view word);

// TouchesForeignLetter tells whether the character just outside a run is a letter the run
// could not take (one above U+007F, a combining mark included): the run is then only part of a
// word, and the styles leave it unmarked rather than mark a piece of a word.
bool TouchesForeignLetter(std::u16string_view left, std::u16string_view right);

}  // namespace lexipulse
