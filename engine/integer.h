// A 16-bit signed whole number whose every step out of -32768..32767 raises the overflow error.
#pragma once

#include <compare>
#include <cstdint>
#include <limits>

#include "runtime_error.h"

namespace orindel {

class Integer {
 public:
  static constexpr int kMin = std::numeric_limits<std::int16_t>::min();
  static constexpr int kMax = std::numeric_limits<std::int16_t>::max();

  constexpr Integer() noexcept = default;

  // Like a checked narrowing: raises the overflow error for a value out of range.
  constexpr explicit Integer(int value) : value_(narrow(value)) {}

  constexpr int value() const noexcept { return value_; }

  friend constexpr Integer operator+(Integer a, Integer b) { return Integer(a.value_ + b.value_); }
  friend constexpr Integer operator-(Integer a, Integer b) { return Integer(a.value_ - b.value_); }
  friend constexpr bool operator==(Integer, Integer) noexcept = default;
  friend constexpr auto operator<=>(Integer, Integer) noexcept = default;
  friend constexpr bool operator==(Integer a, int b) noexcept { return a.value_ == b; }
  friend constexpr auto operator<=>(Integer a, int b) noexcept { return a.value_ <=> b; }

 private:
  static constexpr std::int16_t narrow(int value) {
    if (value < kMin || value > kMax) raiseOverflow();
    return static_cast<std::int16_t>(value);
  }

  std::int16_t value_ = 0;
};

}  // namespace orindel
