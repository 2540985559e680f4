#include "conversion.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace orindel {

namespace {

bool isSkipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The digits of a number as read from a text, kept as ASCII so that the conversion to double does
// not depend on the locale's decimal point.
struct Scanned {
  bool negative = false;
  std::string mantissa;                   // digits with at most one "."
  std::string exponent;                   // optional sign and digits, without the "e"
  std::int64_t integerDigits = 0;         // significant digits before the "."
  std::int64_t leadingFractionZeros = 0;  // zeros right after the "." while no digit is significant
  bool anyNonZero = false;
};

// A text's characters in order, the blanks between them passed over.
class Characters {
 public:
  explicit Characters(std::u16string_view text) : text_(text) { skipBlanks(); }
  // The next character, or 0 at the end.
  char16_t peek() const { return next_ < text_.size() ? text_[next_] : u'\0'; }
  void advance() {
    ++next_;
    skipBlanks();
  }
  // Takes the next character if it is one of `wanted`.
  bool take(std::u16string_view wanted) {
    const char16_t c = peek();
    if (c == u'\0' || wanted.find(c) == std::u16string_view::npos) return false;
    advance();
    return true;
  }

 private:
  void skipBlanks() {
    while (next_ < text_.size() && isSkipped(text_[next_])) ++next_;
  }
  std::u16string_view text_;
  std::size_t next_ = 0;
};

// The mantissa's digits with at most one ".", as far as they go.
void scanMantissa(Characters& in, Scanned& out) {
  bool fraction = false;
  for (char16_t c = in.peek(); c != u'\0'; in.advance(), c = in.peek()) {
    if (c == u'.' && !fraction) {
      out.mantissa.push_back('.');
      fraction = true;
      continue;
    }
    if (!isDigit(c)) return;
    out.mantissa.push_back(static_cast<char>(c));
    if (c != u'0') out.anyNonZero = true;
    if (!fraction && out.anyNonZero) ++out.integerDigits;
    if (fraction && !out.anyNonZero) ++out.leadingFractionZeros;
  }
}

Scanned scan(const Text& text) {
  Characters in(text);
  Scanned out;
  if (in.peek() == u'+' || in.peek() == u'-') {
    out.negative = in.peek() == u'-';
    in.advance();
  }
  scanMantissa(in, out);
  if (!in.take(u"eE")) return out;
  if (in.peek() == u'+' || in.peek() == u'-') {
    out.exponent.push_back(static_cast<char>(in.peek()));
    in.advance();
  }
  while (isDigit(in.peek())) {
    out.exponent.push_back(static_cast<char>(in.peek()));
    in.advance();
  }
  return out;
}

// The exponent's value, saturated far beyond any double's range so that no digit count overflows.
std::int64_t exponentValue(const std::string& exponent) {
  constexpr std::int64_t kSaturation = 1'000'000'000;
  std::int64_t value = 0;
  bool negative = false;
  for (char c : exponent) {
    if (c == '-') negative = true;
    if (c >= '0' && c <= '9' && value < kSaturation) value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace

double val(const Text& text) {
  const Scanned s = scan(text);
  if (!s.anyNonZero) return 0.0;
  const std::int64_t exponent = exponentValue(s.exponent);

  // Decide overflow and underflow from the magnitude ourselves: from_chars reports them without a
  // value, and a pasted text can hold any number of digits.
  const std::int64_t magnitude =
      (s.integerDigits > 0 ? s.integerDigits : -s.leadingFractionZeros) + exponent;
  double result = 0.0;
  if (magnitude > 400) {
    result = HUGE_VAL;
  } else if (magnitude < -400) {
    result = 0.0;
  } else {
    std::string number = s.mantissa;
    if (number == ".") number = "0";
    number += 'e';
    number += std::to_string(exponent);
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), result);
    (void)end;
    if (error == std::errc::result_out_of_range) result = magnitude > 0 ? HUGE_VAL : 0.0;
  }
  return s.negative ? -result : result;
}

Integer toInteger(double value) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double rounded = std::nearbyint(value);
  if (std::isnan(rounded) || rounded < Integer::kMin || rounded > Integer::kMax) raiseOverflow();
  return Integer(static_cast<int>(rounded));
}

namespace {

Text digits(std::uint64_t magnitude) {
  Text out;
  do {
    out.insert(out.begin(), static_cast<char16_t>(u'0' + (magnitude % 10)));
    magnitude /= 10;
  } while (magnitude != 0);
  return out;
}

Text numberText(std::int64_t raw, std::int64_t scale, bool blankBeforePositive) {
  const bool negative = raw < 0;
  // Negate in unsigned arithmetic so that the most negative value has a magnitude too.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  const auto unit = static_cast<std::uint64_t>(scale);
  Text out = negative ? u"-" : (blankBeforePositive ? u" " : u"");
  out += digits(magnitude / unit);
  std::uint64_t fraction = magnitude % unit;
  if (fraction != 0) {
    Text decimals = digits(fraction + unit).substr(1);  // keeps the leading zeros
    while (decimals.back() == u'0') decimals.pop_back();
    out += u'.';
    out += decimals;
  }
  return out;
}

}  // namespace

Text signedText(Currency value) { return numberText(value.raw(), Currency::kScale, true); }
Text signedText(Integer value) { return numberText(value.value(), 1, true); }
Text plainText(Integer value) { return numberText(value.value(), 1, false); }

}  // namespace orindel
