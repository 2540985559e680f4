#include "entry.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "runtime_error.h"

namespace orindel {
namespace {

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    initialiseRegister(reg, window);
    window.calls.clear();
  }

  // Runs check on three texts; returns the runtime error number, or 0.
  int run(const Text& t1, const Text& t2, const Text& t3, const Text& seg = u"+") {
    window.setEntries(t1, t2, t3);
    try {
      check(reg, flags, window, seg);
    } catch (const RuntimeError& error) {
      errorBox = error.subject() == RuntimeError::Subject::EntryBox ? error.box() : 0;
      return error.number();
    }
    return 0;
  }

  int errorBox = 0;  // the entry box the last runtime error was said of

  TallyRegister reg;
  SignFlags flags{};
  FakeWindow window;
};

TEST_F(EntryTest, a_box_text_parses_to_its_value) {
  struct Case {
    Text text;
    int value;
  } cases[] = {
      {u"12", 12}, {u"12+", 12},  {u"+12", 12}, {u"-5", 5},         {u"5-", 5},
      {u"+5", 5},  {u"-5+", 5},   {u"5,", 5},   {u",5", 5},         {u"++", 0},
      {u"+-", 0},  {u",,", 0},    {u"--5", -5}, {u"+-5", -5},       {u"1a2", 1},
      {u"1,5", 1}, {u"1 2", 12},  {u"1.6", 2},  {u"2.5", 2},        {u"3.5", 4},
      {u"0.5", 0}, {u"1e2", 100}, {u"75", 75},  {u"120", 120},      {u"32767", 32767},
      {u"0+", 0},  {u"-0-", 0},   {u"1-2", 1},  {u"-32767", 32767}, {u"0.6" + Text(400, u'0'), 1},
  };
  for (const Case& c : cases) {
    for (int box = 1; box <= 3; ++box) {
      Text texts[3] = {u"7", u"8", u"9"};
      texts[box - 1] = c.text;
      SetUp();
      ASSERT_EQ(run(texts[0], texts[1], texts[2]), 0) << utf8(c.text) << " in box " << box;
      const Integer got = box == 1 ? reg.h : box == 2 ? reg.m : reg.s;
      EXPECT_EQ(got, c.value) << utf8(c.text) << " in box " << box;
      EXPECT_TRUE(window.messages().empty()) << utf8(c.text);
      EXPECT_EQ(window.calls.back(), "cle");
    }
  }
}

TEST_F(EntryTest, a_bad_end_character_or_empty_box_gets_the_message_and_clears) {
  const Text bad[] = {u"",   u"a1",  u"1a",  u" 1", u"1 ", u".5", u"１",
                      u"1.", u"＋1", u"1＋", u"a",  u"*",  u"(1)"};
  for (const Text& text : bad) {
    for (int box = 1; box <= 3; ++box) {
      Text texts[3] = {u"1", u"2", u"3"};
      texts[box - 1] = text;
      SetUp();
      EXPECT_EQ(run(texts[0], texts[1], texts[2]), 0) << utf8(text);
      EXPECT_EQ(window.calls, (std::vector<std::string>{"message:入力値が不正です", "cle"}))
          << utf8(text) << " in box " << box;
      EXPECT_EQ(reg.Ti, 0);
      EXPECT_EQ(reg.hh, 0);
    }
  }
}

TEST_F(EntryTest, the_first_failing_character_stops_the_tests_before_any_error) {
  // A lone sign would raise the invalid-argument error, but only once all six tests pass.
  EXPECT_EQ(run(u"+", u"x", u"3"), 0);
  EXPECT_EQ(window.messages(), std::vector<std::string>{"入力値が不正です"});
  EXPECT_EQ(run(u"99999", u"", u"3"), 0);
  EXPECT_EQ(window.messages().size(), 2u);
}

TEST_F(EntryTest, three_lone_zeros_only_clear) {
  EXPECT_EQ(run(u"0", u"0", u"0", u"-"), 0);
  EXPECT_EQ(window.calls, std::vector<std::string>{"cle"});
  EXPECT_EQ(window.label5, u"0");  // keisan did not run: the start-up caption stays
  for (const auto& texts :
       {std::array<Text, 3>{u"0", u"0", u"0+"}, std::array<Text, 3>{u"00", u"0", u"0"},
        std::array<Text, 3>{u"0", u"+0", u"0"}}) {
    SetUp();
    run(texts[0], texts[1], texts[2]);
    EXPECT_EQ(window.label5, u" 1") << utf8(texts[0] + texts[1] + texts[2]);
  }
}

TEST_F(EntryTest, the_sign_comes_from_the_caller_not_from_the_box) {
  run(u"0", u"3-", u"0", u"+");
  EXPECT_EQ(window.label4, u" 0: 3: 0");
  run(u"1", u"2", u"3", u"-");
  EXPECT_EQ(window.calls.back(), "cle");
  EXPECT_EQ(window.messages(), std::vector<std::string>{"計算値が不正です"});
  EXPECT_EQ(reg.h, 1);
  EXPECT_EQ(reg.m, 2);
  EXPECT_EQ(reg.s, 3);
}

TEST_F(EntryTest, runtime_errors_leave_the_boxes_filled_and_the_total_untouched) {
  struct Case {
    Text t1, t2, t3;
    int error;
    int box;  // the box the error is said of
    int h;    // what the hours field holds afterwards
  } cases[] = {
      {u"1", u"2", u"-", RuntimeError::kInvalidArgument, 3, 1},
      {u"1", u"2", u"+", RuntimeError::kInvalidArgument, 3, 1},
      {u",", u"2", u"3", RuntimeError::kInvalidArgument, 1, 0},
      {u"5", u"32768", u"0", RuntimeError::kOverflow, 2, 5},
      {u"1e5", u"0", u"0", RuntimeError::kOverflow, 1, 0},
      {u"-32768", u"0", u"0", RuntimeError::kOverflow, 1, 0},
      {u"1", u"2", u"99999999999999999999999", RuntimeError::kOverflow, 3, 1},
  };
  for (const Case& c : cases) {
    SetUp();
    reg.h = Integer(0);
    EXPECT_EQ(run(c.t1, c.t2, c.t3), c.error) << utf8(c.t1 + u"|" + c.t2 + u"|" + c.t3);
    EXPECT_EQ(errorBox, c.box) << utf8(c.t1 + u"|" + c.t2 + u"|" + c.t3);
    EXPECT_TRUE(window.calls.empty()) << utf8(c.t3);
    EXPECT_EQ(window.boxes[3], c.t3);
    EXPECT_EQ(reg.h, c.h);
    EXPECT_EQ(reg.hh, 0);
    EXPECT_EQ(reg.Ti, 0);
  }
}

TEST_F(EntryTest, long_texts_are_read_without_trouble) {
  EXPECT_EQ(run(Text(1'000'000, u'0') + u"7", u"0", u"0+"), 0);
  EXPECT_EQ(reg.h, 7);
  EXPECT_EQ(run(u"1" + Text(1'000'000, u' ') + u"2", u"0", u"0"), 0);
  EXPECT_EQ(reg.h, 12);
}

}  // namespace
}  // namespace orindel
