// The running total of durations and keisan, which applies one entry to it.
#pragma once

#include "currency.h"
#include "integer.h"
#include "tally_window.h"
#include "text.h"

namespace orindel {

// The messages keisan shows.
inline constexpr char16_t kRefusedMessage[] = u"計算値が不正です";
inline constexpr char16_t kWarning74Message[] = u"計算値が７４分を超えました";
inline constexpr char16_t kWarning80Message[] = u"計算値が８０分を超えました";

struct TallyRegister {
  Integer h, m, s;      // the entry about to be applied
  Currency hh, mm, ss;  // the running total
  Text hhh, mmm, sss;   // display texts of hh, mm, ss
  Integer Ti;           // net entry count, 0..32767
};

// The total label's caption: the three display texts joined by colons, " 1: 23: 30".
Text totalText(const TallyRegister& reg);

// Start-up: every field to its start value, then the first captions of both labels.
void initialiseRegister(TallyRegister& reg, TallyWindow& window);

// Applies h, m, s to the total: "+" adds, "-" subtracts unless the result would be negative, any
// other sign changes nothing. Then the limit warning, the labels, and cle.
void keisan(TallyRegister& reg, TallyWindow& window, const Text& se);

}  // namespace orindel
