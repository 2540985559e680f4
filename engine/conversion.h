// Conversions between text and numbers: reading a leading number, rounding to Integer, and the
// signed and plain number-to-text forms.
#pragma once

#include "currency.h"
#include "integer.h"
#include "text.h"

namespace orindel {

// The leading number of a text. Blanks, tabs and line feeds are skipped anywhere in it; then an
// optional sign, digits with at most one ".", and an optional exponent (e or E, its own optional
// sign, digits). The first character that cannot continue the number ends it; no number gives 0.
double val(const Text& text);

// Nearest whole number, halves to even; outside -32768..32767 raises the overflow error.
Integer toInteger(double value);

// A blank before zero and positive values, "-" before negative ones: " 5", "-5".
Text signedText(Currency value);
Text signedText(Integer value);

// As signedText without the leading blank: "0".
Text plainText(Integer value);

}  // namespace orindel
