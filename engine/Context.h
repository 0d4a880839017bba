#pragma once

#include <string>

namespace lexipulse {

// TWordContext is what a word record knows of the word's neighbours on its line: the words
// right before and after it, lowercased, as letters, digits and apostrophes (john's, don't).
// A neighbour is empty at the start or end of the line and where punctuation that ends a
// phrase (. , ; : ! ? brackets, dashes) stands between; quotation marks do not separate.
struct TWordContext {
  std::u16string Previous;
  std::u16string BeforePrevious;
  std::u16string Next;
  // Capitalized tells that the word itself starts with a capital followed by a small letter
  // although a word stands before it on the line (a name or title: Abstract Expressionism).
  bool Capitalized = false;

  friend bool operator==(const TWordContext&, const TWordContext&) = default;
};

}  // namespace lexipulse
