// A 64-bit signed fixed-point number with four decimal places; exact add and subtract.
#pragma once

#include <compare>
#include <cstdint>

#include "integer.h"
#include "runtime_error.h"

namespace orindel {

class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Currency() noexcept = default;

  // An Integer converts exactly.
  constexpr explicit Currency(Integer value) noexcept : raw_(value.value() * kScale) {}

  // The value raw / 10000.
  static constexpr Currency fromRaw(std::int64_t raw) noexcept {
    Currency c;
    c.raw_ = raw;
    return c;
  }

  constexpr std::int64_t raw() const noexcept { return raw_; }

  friend Currency operator+(Currency a, Currency b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a.raw_, b.raw_, &sum)) raiseOverflow();
    return fromRaw(sum);
  }

  friend Currency operator-(Currency a, Currency b) {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(a.raw_, b.raw_, &difference)) raiseOverflow();
    return fromRaw(difference);
  }

  friend constexpr bool operator==(Currency, Currency) noexcept = default;
  friend constexpr auto operator<=>(Currency, Currency) noexcept = default;

  // Compares by value with a whole number; |whole| * 10000 always fits in 64 bits.
  friend constexpr bool operator==(Currency c, int whole) noexcept {
    return c.raw_ == std::int64_t{whole} * kScale;
  }
  friend constexpr auto operator<=>(Currency c, int whole) noexcept {
    return c.raw_ <=> std::int64_t{whole} * kScale;
  }

 private:
  std::int64_t raw_ = 0;
};

}  // namespace orindel
