// What the total's and the count's labels show after any event, stated once for the soaks and the
// fuzz targets: the total is the register's own display text; the count is the net count, shown
// as the plain "0" until the first calculation, and never negative.
#pragma once

#include "conversion.h"
#include "tally_register.h"
#include "text.h"

namespace orindel {

// Null when the labels show the register; otherwise what is wrong.
inline const char* labelsDisagree(const TallyRegister& reg, const Text& label4,
                                  const Text& label5) {
  if (label4 != totalText(reg)) return "the total's label is not the register's display text";
  if (reg.Ti < 0) return "the count is negative";
  if (label5 != signedText(reg.Ti) && !(label5 == u"0" && reg.Ti == 0)) {
    return "the count's label is not the register's count";
  }
  return nullptr;
}

}  // namespace orindel
