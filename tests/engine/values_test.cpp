#include <gtest/gtest.h>

#include "currency.h"
#include "integer.h"
#include "runtime_error.h"

namespace orindel {
namespace {

int overflowNumber(auto&& step) {
  try {
    step();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(IntegerTest, every_step_past_the_range_raises_overflow) {
  struct Case {
    int a, b;
    bool add;
    int expected;  // 0 when the step overflows
  } cases[] = {
      {32766, 1, true, 32767}, {32767, 1, true, 0},   {-32767, 1, false, -32768},
      {-32768, 1, false, 0},   {32767, -1, false, 0}, {-32768, -1, true, 0},
      {100, -200, true, -100}, {0, -32768, false, 0},
  };
  for (const Case& c : cases) {
    int got = 0;
    const int error = overflowNumber(
        [&] { got = (c.add ? Integer(c.a) + Integer(c.b) : Integer(c.a) - Integer(c.b)).value(); });
    if (c.expected == 0 && (c.a != 0 || c.b != 0)) {
      EXPECT_EQ(error, RuntimeError::kOverflow) << c.a << (c.add ? " + " : " - ") << c.b;
    } else {
      EXPECT_EQ(error, 0) << c.a << (c.add ? " + " : " - ") << c.b;
      EXPECT_EQ(got, c.expected);
    }
  }
  EXPECT_EQ(overflowNumber([] { Integer(32768); }), RuntimeError::kOverflow);
  EXPECT_EQ(overflowNumber([] { Integer(-32769); }), RuntimeError::kOverflow);
}

TEST(CurrencyTest, is_exact_and_compares_with_whole_numbers_by_value) {
  const Currency one{Integer(1)};
  EXPECT_EQ(Currency(Integer(-32768)).raw(), -327680000);
  EXPECT_EQ(Currency::fromRaw(5) + Currency::fromRaw(-2), Currency::fromRaw(3));
  EXPECT_EQ(Currency(Integer(59)) + one, 60);
  EXPECT_TRUE(Currency(Integer(60)) > 59);
  EXPECT_FALSE(Currency(Integer(59)) > 59);
  EXPECT_TRUE(Currency::fromRaw(-1) < 0);  // -0.0001 is below zero
  EXPECT_TRUE(Currency::fromRaw(590001) > 59);
}

TEST(CurrencyTest, overflow_of_the_64_bit_range_raises_overflow) {
  const Currency top = Currency::fromRaw(INT64_MAX);
  const Currency bottom = Currency::fromRaw(INT64_MIN);
  EXPECT_EQ(overflowNumber([&] { (void)(top + Currency::fromRaw(1)); }), RuntimeError::kOverflow);
  EXPECT_EQ(overflowNumber([&] { (void)(bottom - Currency::fromRaw(1)); }),
            RuntimeError::kOverflow);
}

}  // namespace
}  // namespace orindel
