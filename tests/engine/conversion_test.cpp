#include "conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fake_window.h"
#include "runtime_error.h"

namespace orindel {
namespace {

TEST(ValTest, reads_the_leading_number) {
  struct Case {
    Text text;
    double expected;
  } cases[] = {
      {u"", 0},          {u"12", 12},     {u"1 2", 12},   {u"\t1\n2 ", 12},  {u"1a2", 1},
      {u"1,5", 1},       {u"1.6", 1.6},   {u".5", 0.5},   {u"1.2.3", 1.2},   {u"1e2", 100},
      {u"1E2", 100},     {u"1e-2", 0.01}, {u"1e+2", 100}, {u"1e", 1},        {u"1e+", 1},
      {u"2e3x", 2000},   {u"-5", -5},     {u"+5", 5},     {u"--5", 0},       {u"+-5", 0},
      {u"- 5", -5},      {u"abc", 0},     {u"e5", 0},     {u".", 0},         {u"5.", 5},
      {u"１", 0},        {u"0012", 12},   {u"1e 2", 100}, {u"32768", 32768}, {u"-.5e1", -5},
      {u"000.001e3", 1}, {u"1e1-1", 10},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(val(c.text), c.expected) << utf8(c.text);
}

TEST(ValTest, huge_and_tiny_numbers_saturate_instead_of_failing) {
  EXPECT_EQ(val(u"1e400"), HUGE_VAL);
  EXPECT_EQ(val(u"-1e99999999999999999999"), -HUGE_VAL);
  EXPECT_EQ(val(u"1e-400"), 0.0);
  EXPECT_EQ(val(Text(5000, u'9')), HUGE_VAL);
  EXPECT_DOUBLE_EQ(val(u"0." + Text(1000, u'0') + u"1e1003"), 100.0);
}

TEST(ToIntegerTest, rounds_halves_to_even_within_the_range) {
  struct Case {
    double value;
    int expected;
  } cases[] = {
      {2.5, 2},  {3.5, 4},       {0.5, 0},         {1.5, 2},         {-2.5, -2},         {1.6, 2},
      {-0.4, 0}, {32767, 32767}, {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768},
  };
  for (const Case& c : cases) EXPECT_EQ(toInteger(c.value).value(), c.expected) << c.value;
}

TEST(ToIntegerTest, outside_the_range_raises_overflow) {
  for (double value : {32767.5, 32768.0, -32768.6, -32769.0, 1e5, HUGE_VAL, -HUGE_VAL,
                       std::numeric_limits<double>::quiet_NaN()}) {
    try {
      toInteger(value);
      ADD_FAILURE() << "no error for " << value;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), RuntimeError::kOverflow) << value;
    }
  }
}

TEST(NumberTextTest, signed_form_has_a_blank_or_a_minus_and_plain_form_none) {
  struct Case {
    std::int64_t raw;
    Text expected;
  } cases[] = {
      {0, u" 0"},
      {50000, u" 5"},
      {1000000, u" 100"},
      {-100000, u"-10"},
      {15000, u" 1.5"},
      {-2500, u"-0.25"},
      {INT64_MIN, u"-922337203685477.5808"},
  };
  for (const Case& c : cases) EXPECT_EQ(signedText(Currency::fromRaw(c.raw)), c.expected) << c.raw;
  EXPECT_EQ(signedText(Integer(-32768)), u"-32768");
  EXPECT_EQ(signedText(Integer(1)), u" 1");
  EXPECT_EQ(plainText(Integer(0)), u"0");
  EXPECT_EQ(plainText(Integer(-3)), u"-3");
}

}  // namespace
}  // namespace orindel
