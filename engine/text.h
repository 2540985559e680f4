// Text, the counted UTF-16 string that the entry boxes hold, and the text functions the engine
// uses.
#pragma once

#include <cstdint>
#include <string>

namespace orindel {

using Text = std::u16string;

// The first n characters; the whole text when n is at least its length. Negative n raises the
// invalid-argument error.
Text left(const Text& text, std::int64_t n);

// The last n characters, with the same rules as left.
Text right(const Text& text, std::int64_t n);

// A one-character class such as "[0-9]": every character from `first` to `last` inclusive.
struct CharRange {
  char16_t first;
  char16_t last;
};

inline constexpr CharRange kDigitClass{u'0', u'9'};  // "[0-9]"
inline constexpr CharRange kSignClass{u'+', u'-'};   // "[+--]": "+", "," and "-"

// Whole-text match against a one-character class: a text whose length is not 1 never matches.
bool like(const Text& text, CharRange pattern) noexcept;

}  // namespace orindel
