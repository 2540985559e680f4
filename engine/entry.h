// check: validates the three entry texts, parses them into h, m, s and hands the entry to keisan.
#pragma once

#include <array>

#include "integer.h"
#include "tally_register.h"
#include "tally_window.h"
#include "text.h"

namespace orindel {

inline constexpr char16_t kInvalidEntryMessage[] = u"入力値が不正です";

// Per box (1..3) and end of its text (1 = first character, 2 = last): 0 for a digit, 1 for a sign
// character. Indices 0..3 as declared; only boxes 1..3 and ends 1..2 are used.
using SignFlags = std::array<std::array<Integer, 4>, 4>;

// Three texts of exactly "0" only clear the boxes; a box that does not begin and end with a digit
// or a sign character gets the invalid-entry message; otherwise the entry goes to keisan with
// `seg`. A box holding a lone sign character raises the invalid-argument error, a value outside the
// Integer range the overflow error; the boxes are then left as they are.
void check(TallyRegister& reg, SignFlags& flags, TallyWindow& window, const Text& seg);

}  // namespace orindel
