#include "tally_register.h"

#include <gtest/gtest.h>

#include "fake_window.h"
#include "runtime_error.h"

namespace orindel {
namespace {

struct Hms {
  int h, m, s;
};

class TallyRegisterTest : public ::testing::Test {
 protected:
  void SetUp() override { initialiseRegister(reg, window); }

  void apply(Hms entry, const Text& sign) {
    reg.h = Integer(entry.h);
    reg.m = Integer(entry.m);
    reg.s = Integer(entry.s);
    keisan(reg, window, sign);
  }

  // Brings the total to a value by one addition, then forgets the calls it made.
  void startFrom(Hms total) {
    apply(total, u"+");
    window.calls.clear();
  }

  void expectTotal(Hms total, const std::string& context) const {
    EXPECT_EQ(reg.hh, total.h) << context;
    EXPECT_EQ(reg.mm, total.m) << context;
    EXPECT_EQ(reg.ss, total.s) << context;
  }

  TallyRegister reg;
  FakeWindow window;
};

TEST_F(TallyRegisterTest, start_up_shows_a_zero_total_and_a_plain_zero_count) {
  EXPECT_EQ(window.label4, u" 0: 0: 0");
  EXPECT_EQ(window.label5, u"0");
  EXPECT_EQ(reg.hhh, u" 0");
  EXPECT_EQ(reg.Ti, 0);
  EXPECT_TRUE(window.messages().empty());
}

TEST_F(TallyRegisterTest, addition_carries_in_base_60) {
  struct Case {
    Hms start, entry, total;
    Text label;
  } cases[] = {
      {{0, 0, 0}, {0, 0, 75}, {0, 1, 15}, u" 0: 1: 15"},
      {{0, 59, 59}, {0, 0, 1}, {1, 0, 0}, u" 1: 0: 0"},
      {{0, 0, 0}, {100, 0, 0}, {100, 0, 0}, u" 100: 0: 0"},
      {{0, 0, 0}, {0, 125, 0}, {2, 5, 0}, u" 2: 5: 0"},
      {{0, 0, 0}, {0, 0, 32767}, {9, 6, 7}, u" 9: 6: 7"},
      {{0, 0, 0}, {0, 59, 3600}, {1, 59, 0}, u" 1: 59: 0"},
      {{0, 0, 10}, {0, 0, -20}, {0, 0, -10}, u" 0: 0:-10"},
      {{0, 0, 0}, {-3, 0, 0}, {-3, 0, 0}, u"-3: 0: 0"},
  };
  for (const Case& c : cases) {
    reg = TallyRegister();
    initialiseRegister(reg, window);
    if (c.start.h || c.start.m || c.start.s) startFrom(c.start);
    apply(c.entry, u"+");
    const std::string context = utf8(c.label);
    expectTotal(c.total, context);
    EXPECT_EQ(window.label4, c.label) << context;
  }
}

TEST_F(TallyRegisterTest, subtraction_borrows_in_base_60) {
  struct Case {
    Hms start, entry, total;
  } cases[] = {
      {{0, 5, 0}, {0, 0, 125}, {0, 2, 55}}, {{1, 0, 0}, {0, 0, 1}, {0, 59, 59}},
      {{0, 0, 58}, {0, 0, -5}, {0, 0, 63}}, {{2, 0, 0}, {0, 0, 7200}, {0, 0, 0}},
      {{1, 30, 0}, {0, 90, 0}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    reg = TallyRegister();
    initialiseRegister(reg, window);
    startFrom(c.start);
    apply(c.entry, u"-");
    expectTotal(c.total, std::to_string(c.entry.s));
    EXPECT_TRUE(window.messages().empty());
  }
}

TEST_F(TallyRegisterTest, refused_subtraction_keeps_the_register_and_labels) {
  struct Case {
    Hms start, entry;
  } cases[] = {{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 60, 1}}, {{0, 59, 59}, {1, 0, 0}}};
  for (const Case& c : cases) {
    reg = TallyRegister();
    initialiseRegister(reg, window);
    if (c.start.h || c.start.m || c.start.s) startFrom(c.start);
    window.calls.clear();
    const TallyRegister before = reg;
    const Text label4 = window.label4;
    const Text label5 = window.label5;
    apply(c.entry, u"-");
    EXPECT_EQ(window.calls, (std::vector<std::string>{"message:計算値が不正です", "cle"}));
    EXPECT_EQ(reg.hh, before.hh);
    EXPECT_EQ(reg.mm, before.mm);
    EXPECT_EQ(reg.ss, before.ss);
    EXPECT_EQ(reg.hhh + reg.mmm + reg.sss, before.hhh + before.mmm + before.sss);
    EXPECT_EQ(reg.Ti, before.Ti);
    EXPECT_EQ(window.label4, label4);
    EXPECT_EQ(window.label5, label5);
  }
}

TEST_F(TallyRegisterTest, count_follows_calculations_and_never_goes_below_zero) {
  struct Step {
    Hms entry;
    Text sign;
    Text label5;
    int count;
  } steps[] = {
      {{0, 2, 0}, u"+", u" 1", 1}, {{0, 1, 0}, u"-", u" 0", 0},
      {{0, 1, 0}, u"-", u" 0", 0}, {{0, 0, 1}, u"-", u" 0", 0},  // refused: nothing changes
      {{0, 0, 1}, u"x", u" 0", 0}, {{1, 0, 0}, u"+", u" 1", 1},
  };
  for (const Step& step : steps) {
    apply(step.entry, step.sign);
    EXPECT_EQ(window.label5, step.label5) << utf8(step.sign);
    EXPECT_EQ(reg.Ti, step.count) << utf8(step.sign);
  }
  EXPECT_EQ(window.label4, u" 1: 0: 0");
}

TEST_F(TallyRegisterTest, another_sign_changes_nothing_but_refreshes_and_clears) {
  for (const Text sign : {u"", u"x", u"++", u"＋", u","}) {
    initialiseRegister(reg, window);
    window.calls.clear();
    apply({1, 2, 3}, sign);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"label4: 0: 0: 0", "label5: 0", "cle"}))
        << utf8(sign);
  }
}

TEST_F(TallyRegisterTest, limit_warning_only_with_the_panel_shown_and_only_on_hours) {
  struct Case {
    int cm;
    bool option1;
    Hms entry;
    Text sign;
    std::vector<std::string> messages;
  } cases[] = {
      {1, true, {74, 0, 0}, u"+", {"計算値が７４分を超えました"}},
      {1, true, {73, 59, 59}, u"+", {}},
      {1, false, {79, 59, 59}, u"+", {}},
      {1, false, {80, 0, 0}, u"+", {"計算値が８０分を超えました"}},
      {0, true, {200, 0, 0}, u"+", {}},
      {2, true, {200, 0, 0}, u"+", {}},
      {1, true, {0, 0, 0}, u"?", {}},
  };
  for (const Case& c : cases) {
    reg = TallyRegister();
    initialiseRegister(reg, window);
    window.calls.clear();
    window.cm = c.cm;
    window.option1 = c.option1;
    apply(c.entry, c.sign);
    EXPECT_EQ(window.messages(), c.messages) << c.cm << " " << c.entry.h << ":" << c.entry.m;
  }
}

TEST_F(TallyRegisterTest, warning_comes_before_the_labels_and_repeats_while_over_the_limit) {
  window.cm = 1;
  window.calls.clear();
  apply({74, 0, 0}, u"+");
  EXPECT_EQ(window.calls, (std::vector<std::string>{"message:計算値が７４分を超えました",
                                                    "label4: 74: 0: 0", "label5: 1", "cle"}));
  window.calls.clear();
  apply({0, 0, 1}, u"-");  // down to 73:59:59: below the limit
  EXPECT_TRUE(window.messages().empty());
  apply({0, 0, 1}, u"+");  // 74:0:0 again
  apply({0, 0, 0}, u"z");  // any other sign warns too
  apply({0, 0, 0}, u"-");  // an accepted subtraction that stays over the limit
  EXPECT_EQ(window.messages().size(), 3u);
  window.calls.clear();
  apply({100, 0, 0}, u"-");  // refused: no warning
  EXPECT_EQ(window.calls, (std::vector<std::string>{"message:計算値が不正です", "cle"}));
}

TEST_F(TallyRegisterTest, count_overflow_is_raised_before_anything_changes) {
  reg.Ti = Integer(32767);
  reg.hh = Currency(Integer(5));
  window.cm = 1;
  window.calls.clear();
  try {
    apply({100, 59, 59}, u"+");
    FAIL() << "no overflow";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), RuntimeError::kOverflow);
    EXPECT_EQ(error.subject(), RuntimeError::Subject::Count);
  }
  EXPECT_EQ(reg.hh, 5);
  EXPECT_EQ(reg.mm, 0);
  EXPECT_EQ(reg.ss, 0);
  EXPECT_EQ(reg.Ti, 32767);
  EXPECT_TRUE(window.calls.empty());  // no warning, no labels, no clearing
  apply({0, 0, 1}, u"-");             // a subtraction still works at the top
  EXPECT_EQ(reg.Ti, 32766);
  EXPECT_EQ(window.label4, u" 4: 59: 59");
}

}  // namespace
}  // namespace orindel
