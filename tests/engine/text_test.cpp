#include "text.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "runtime_error.h"

namespace orindel {
namespace {

TEST(TextTest, left_and_right_take_the_ends_and_clamp_to_the_length) {
  struct Case {
    Text text;
    std::int64_t n;
    Text left, right;
  } cases[] = {
      {u"12+", 2, u"12", u"2+"},     {u"12+", 0, u"", u""}, {u"12+", 3, u"12+", u"12+"},
      {u"12+", 99, u"12+", u"12+"},  {u"", 1, u"", u""},    {u"ｈｍ", 1, u"ｈ", u"ｍ"},
      {u"a", INT64_MAX, u"a", u"a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(left(c.text, c.n), c.left) << utf8(c.text) << ", " << c.n;
    EXPECT_EQ(right(c.text, c.n), c.right) << utf8(c.text) << ", " << c.n;
  }
}

TEST(TextTest, a_negative_length_raises_the_invalid_argument_error) {
  for (auto take : {&left, &right}) {
    try {
      take(u"+", -1);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), RuntimeError::kInvalidArgument);
    }
  }
}

TEST(TextTest, like_matches_one_character_of_the_class) {
  struct Case {
    Text text;
    bool digit, sign;
  } cases[] = {
      {u"0", true, false},   {u"9", true, false},  {u"+", false, true},   {u",", false, true},
      {u"-", false, true},   {u"", false, false},  {u"12", false, false}, {u"１", false, false},
      {u"＋", false, false}, {u".", false, false}, {u"*", false, false},  {u" ", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(like(c.text, kDigitClass), c.digit) << utf8(c.text);
    EXPECT_EQ(like(c.text, kSignClass), c.sign) << utf8(c.text);
  }
}

}  // namespace
}  // namespace orindel
