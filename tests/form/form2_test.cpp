#include "form2.h"

#include <gtest/gtest.h>

#include "fake_view.h"
#include "runtime_error.h"

namespace orindel {
namespace {

// A fresh, loaded Form2 on a FakeView per test.
class Form2Test : public ::testing::Test, protected LoadedForm {
 protected:
  void fill(const Text& t1, const Text& t2, const Text& t3) { view.fill(t1, t2, t3); }
  std::string total() const { return utf8(view.captions[4]); }
  std::string count() const { return utf8(view.captions[5]); }
  bool panelShown() const { return form.panelFlag() == 1; }
};

TEST_F(Form2Test, loads_narrow_with_a_zero_total_and_nothing_pending) {
  EXPECT_EQ(view.outerWidth, 3030);
  EXPECT_EQ(total(), " 0: 0: 0");
  EXPECT_EQ(count(), "0");
  EXPECT_FALSE(view.labelVisible[5]);
  EXPECT_FALSE(view.labelVisible[6]);
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(form.keyCode(), 0);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(Form2Test, op_toggles_the_panel_width_and_keeps_everything_else) {
  fill(u"1", u"2", u"3");
  view.option1 = false;
  const std::pair<int, bool> steps[] = {{5490, true}, {3030, false}, {5490, true}};
  for (const auto& [width, shown] : steps) {
    view.focused = 3;
    form.click(Command3);
    EXPECT_EQ(view.outerWidth, width);
    EXPECT_EQ(panelShown(), shown);
    EXPECT_EQ(view.labelVisible[5], shown);
    EXPECT_EQ(view.labelVisible[6], shown);
    EXPECT_EQ(view.focused, 1) << width;
    EXPECT_EQ(view.shown(), "1|2|3");
  }
  EXPECT_FALSE(view.option1);
  EXPECT_EQ(count(), "0");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(Form2Test, plus_and_minus_buttons_apply_the_entry) {
  struct Case {
    Control command;
    Text t1, t2, t3;
    std::string total;
    std::vector<std::string> messages;
  } cases[] = {
      {Command1, u"1", u"20", u"30", " 1: 20: 30", {}},
      {Command2, u"0", u"20", u"0", " 1: 0: 30", {}},
      {Command2, u"2", u"0", u"0", " 1: 0: 30", {"計算値が不正です"}},
      {Command1, u"", u"", u"", " 1: 0: 30", {"入力値が不正です"}},
      {Command2, u"0", u"0", u"0", " 1: 0: 30", {}},
  };
  for (const Case& c : cases) {
    const std::string name = std::to_string(c.command) + " " + utf8(c.t1) + utf8(c.t2);
    view.messages.clear();
    fill(c.t1, c.t2, c.t3);
    view.focused = 0;
    form.click(c.command);
    EXPECT_EQ(total(), c.total) << name;
    EXPECT_EQ(view.messages, c.messages) << name;
    EXPECT_EQ(view.shown(), "||") << name;
    EXPECT_EQ(view.focused, 1) << name;
    EXPECT_EQ(form.keyCode(), Form2::kNoKeyPending) << name;
  }
  EXPECT_EQ(count(), " 0");  // one addition, one subtraction
}

TEST_F(Form2Test, the_limit_warning_follows_the_option_while_the_panel_is_shown) {
  form.click(Command3);
  fill(u"79", u"0", u"0");
  form.click(Command1);
  EXPECT_EQ(view.messages, std::vector<std::string>{"計算値が７４分を超えました"});
  view.option1 = false;
  fill(u"1", u"0", u"0");
  form.click(Command1);
  EXPECT_EQ(view.messages.back(), "計算値が８０分を超えました");
  form.click(Command3);
  fill(u"1", u"0", u"0");
  form.click(Command1);
  EXPECT_EQ(view.messages.size(), 2u);  // hidden panel: no warning
  EXPECT_EQ(total(), " 81: 0: 0");
}

TEST_F(Form2Test, clearing_the_boxes_starts_no_calculation_of_the_pending_key) {
  fill(u"5", u"6", u"7");
  view.key(3, kVkOemPlus, 0, u'=');  // a pending key; the boxes still hold text
  ASSERT_EQ(form.keyCode(), kVkOemPlus);
  view.focused = 2;
  form.click(Command2);  // "7=" is no entry: the boxes are cleared
  EXPECT_EQ(view.shown(), "||");
  EXPECT_EQ(view.focused, 1);
  EXPECT_EQ(form.keyCode(), Form2::kNoKeyPending);
  EXPECT_EQ(view.messages, std::vector<std::string>{"入力値が不正です"});
  EXPECT_EQ(total(), " 0: 0: 0");
}

TEST_F(Form2Test, the_letter_o_empties_its_own_box_only) {
  struct Case {
    int box;
    std::string expected;
  } cases[] = {{2, "1||3"}, {1, "||3"}, {3, "1||"}};
  for (const Case& c : cases) {
    LoadedForm loaded;
    FakeView& v = loaded.view;
    Form2& f = loaded.form;
    v.boxes[1] = u"1";
    v.boxes[3] = u"3";
    v.boxes[c.box] = Text();
    v.key(c.box, kVkO, 0, u'o');
    EXPECT_EQ(v.shown(), c.expected) << c.box;
    EXPECT_EQ(f.panelFlag(), 1) << c.box;
    EXPECT_EQ(v.focused, 1) << c.box;
  }
}

TEST_F(Form2Test, runtime_errors_say_what_happened_and_the_program_goes_on) {
  struct Case {
    Text t1, t2, t3;
    std::string message;
  } cases[] = {
      {u"1", u"2", u"-",
       "ｓ に符号しか入力されていません。\n数字を入力してください。\n（実行時エラー 5）"},
      {u"+", u"2", u"3",
       "ｈ に符号しか入力されていません。\n数字を入力してください。\n（実行時エラー 5）"},
      {u"32768", u"0", u"0",
       "ｈ の値が範囲（-32768～32767）の外です。\n範囲内の数を入力してください。\n（実行時エラー "
       "6）"},
      {u"1", u"1e5", u"0",
       "ｍ の値が範囲（-32768～32767）の外です。\n範囲内の数を入力してください。\n（実行時エラー "
       "6）"},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    // Set, not typed: a typed sign would already run the calculation.
    view.boxes[1] = c.t1;
    view.boxes[2] = c.t2;
    view.boxes[3] = c.t3;
    form.click(Command1);
    const std::string name = utf8(c.t1 + u"|" + c.t2 + u"|" + c.t3);
    EXPECT_EQ(view.messages, std::vector<std::string>{c.message}) << name;
    EXPECT_EQ(view.shown(), name);  // not cleared
    EXPECT_EQ(total(), " 0: 0: 0");
  }
  // The same through a key: the pending key stays until the next key-down.
  view.clear();
  view.messages.clear();
  fill(u"1", u"2", u"");
  view.key(3, kVkSubtract, 0, u'-');
  EXPECT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(form.keyCode(), kVkSubtract);
  EXPECT_EQ(view.shown(), "1|2|-");
  // And it goes on: a proper entry still works.
  view.clear();
  fill(u"0", u"1", u"0");
  view.key(3, kVkAdd, 0, u'+');
  EXPECT_EQ(total(), " 0: 1: 0");
}

// Any other failure, such as memory running out over a huge paste, is reported in the same way
// instead of unwinding through the toolkit's frames.
TEST_F(Form2Test, any_failure_is_reported_and_the_total_is_kept) {
  fill(u"1", u"2", u"3");
  form.click(Command1);
  fill(u"4", u"5", u"6");
  view.readsFail = true;
  form.click(Command1);
  view.key(3, kVkAdd, 0, u'+');
  EXPECT_EQ(view.messages, std::vector<std::string>(
                               2, "メモリが足りないため、この操作を最後まで行えませんでした。"));
  EXPECT_EQ(total(), " 1: 2: 3");
  view.readsFail = false;
  view.clear();
  fill(u"0", u"0", u"1");
  form.click(Command1);
  EXPECT_EQ(total(), " 1: 2: 4");
}

TEST_F(Form2Test, a_full_count_refuses_additions_but_not_subtractions) {
  for (int i = 0; i < 32767; ++i) {
    view.boxes[1] = u"0";
    view.boxes[2] = u"0";
    view.boxes[3] = u"1";
    form.click(Command1);
  }
  ASSERT_EQ(count(), " 32767");
  view.messages.clear();
  fill(u"0", u"0", u"1");
  form.click(Command1);
  EXPECT_EQ(view.messages,
            std::vector<std::string>{"回数が上限（32767）に達したため、これ以上加算できません。\n減"
                                     "算はできます。\n（実行時エラー 6）"});
  EXPECT_EQ(total(), " 9: 6: 7");
  EXPECT_EQ(view.shown(), "0|0|1");
  form.click(Command2);
  EXPECT_EQ(total(), " 9: 6: 6");
  EXPECT_EQ(count(), " 32766");
}

TEST_F(Form2Test, sign_keys_in_a_box_run_the_calculation_of_their_row) {
  using Messages = std::vector<std::string>;
  const Messages none;
  const Messages refused{"計算値が不正です"};
  const Messages invalid{"入力値が不正です"};
  struct Row {
    const char* name;
    int box;       // where the key is pressed, after 1, 20, 30 were typed
    bool atStart;  // the caret at the start of the box instead of its end
    int code, shift;
    char16_t character;
    std::string total;  // from a total of 1:0:0
    std::string boxes;
    int kc;
    Messages messages;
  } rows[] = {
      {"keypad plus", 3, false, kVkAdd, 0, u'+', " 2: 20: 30", "||", Form2::kNoKeyPending, none},
      {"keypad minus", 1, false, kVkSubtract, 0, u'-', " 1: 0: 0", "||", Form2::kNoKeyPending,
       refused},
      {"main minus", 2, false, kVkOemMinus, 0, u'-', " 1: 0: 0", "||", Form2::kNoKeyPending,
       refused},
      // Shift with the minus key types "_", which the entry check then rejects.
      {"main minus with shift", 3, false, kVkOemMinus, 1, u'_', " 1: 0: 0", "||",
       Form2::kNoKeyPending, invalid},
      {"shift plus", 3, false, kVkOemPlus, 1, u'+', " 2: 20: 30", "||", Form2::kNoKeyPending, none},
      {"shift plus at the start", 1, true, kVkOemPlus, 1, u'+', " 2: 20: 30", "||",
       Form2::kNoKeyPending, none},
      {"keypad plus at the start", 2, true, kVkAdd, 0, u'+', " 2: 20: 30", "||",
       Form2::kNoKeyPending, none},
      {"plus key without shift", 3, false, kVkOemPlus, 0, u'=', " 1: 0: 0", "1|20|30=", kVkOemPlus,
       none},
      {"plus key with shift and ctrl", 3, false, kVkOemPlus, 3, 0, " 1: 0: 0", "1|20|30",
       kVkOemPlus, none},
      // AltGr (Ctrl and Alt) with Shift types a sign on some layouts: only Shift alone adds.
      {"plus key with altgr and shift", 3, false, kVkOemPlus, 7, u'±', " 1: 0: 0", "1|20|30±",
       kVkOemPlus, none},
      {"a digit", 3, false, '5', 0, u'5', " 1: 0: 0", "1|20|305", 53, none},
      {"a keypad digit", 3, false, 101, 0, u'5', " 1: 0: 0", "1|20|305", 101, none},
  };
  for (const Row& row : rows) {
    LoadedForm loaded;
    FakeView& v = loaded.view;
    Form2& f = loaded.form;
    v.fill(u"1", u"0", u"0");
    v.key(3, kVkAdd, 0, u'+');
    ASSERT_EQ(utf8(v.captions[4]), " 1: 0: 0");
    v.fill(u"1", u"20", u"30");
    if (row.atStart) v.caret[row.box] = 0;
    v.messages.clear();
    v.key(row.box, row.code, row.shift, row.character);
    EXPECT_EQ(utf8(v.captions[4]), row.total) << row.name;
    EXPECT_EQ(v.shown(), row.boxes) << row.name;
    EXPECT_EQ(f.keyCode(), row.kc) << row.name;
    EXPECT_EQ(v.messages, row.messages) << row.name;
    if (row.kc == Form2::kNoKeyPending) {
      EXPECT_EQ(v.focused, 1) << row.name;
    }
  }
}

TEST_F(Form2Test, keypad_plus_with_empty_boxes_rejects_the_entry) {
  view.type(1, u"1");
  view.key(1, kVkAdd, 0, u'+');
  EXPECT_EQ(view.messages, std::vector<std::string>{"入力値が不正です"});
  EXPECT_EQ(view.shown(), "||");
  EXPECT_EQ(form.keyCode(), Form2::kNoKeyPending);
}

TEST_F(Form2Test, enter_types_nothing_and_esc_ends_the_program_at_key_down) {
  for (int n = 1; n <= 3; ++n) {
    LoadedForm loaded;
    FakeView& v = loaded.view;
    Form2& f = loaded.form;
    v.fill(u"1", u"2", u"3");
    v.key(n, kVkReturn, 0, u'\r');
    EXPECT_EQ(v.shown(), "1|2|3") << "Enter in box " << n;
    EXPECT_EQ(f.keyCode(), kVkReturn) << "Enter in box " << n;
    EXPECT_EQ(f.keyPress(FakeView::box(n), 'a'), 'a') << n;  // any other character passes
    EXPECT_EQ(v.ends, 0);
    EXPECT_FALSE(f.keyDown(FakeView::box(n), kVkEscape, 0)) << "Esc in box " << n;
    EXPECT_EQ(v.ends, 1) << "Esc in box " << n;
    EXPECT_EQ(f.keyCode(), kVkEscape);
    EXPECT_EQ(v.shown(), "1|2|3");
    EXPECT_TRUE(v.messages.empty());
  }
}

TEST_F(Form2Test, a_key_down_without_a_key_code_adds_the_boxes_as_they_are) {
  fill(u"0", u"1", u"0");
  EXPECT_TRUE(form.keyDown(Text2, 0, 0));
  EXPECT_EQ(total(), " 0: 1: 0");
  EXPECT_EQ(view.shown(), "||");
  EXPECT_EQ(form.keyCode(), Form2::kNoKeyPending);
}

TEST_F(Form2Test, the_letter_o_toggles_the_panel_once_per_character) {
  struct Case {
    int box;
    Text before;  // the box's text before the O
    bool toggled;
  } cases[] = {
      {1, u"", true}, {1, u"1", false}, {1, u"12", true},
      {2, u"", true}, {3, u"1", false}, {3, u"123", false},
  };
  for (const Case& c : cases) {
    LoadedForm loaded;
    FakeView& v = loaded.view;
    Form2& f = loaded.form;
    v.boxes[c.box] = c.before;
    v.caret[c.box] = c.before.size();
    v.key(c.box, kVkO, 0, u'o');
    const std::string name = std::to_string(c.box) + " " + utf8(c.before);
    EXPECT_EQ(f.panelFlag() == 1, c.toggled) << name;
    EXPECT_EQ(v.boxes[c.box], Text()) << name;
    EXPECT_EQ(v.focused, 1) << name;
    EXPECT_EQ(f.keyCode(), kVkO) << name;
    EXPECT_EQ(v.outerWidth, c.toggled ? 5490 : 3030) << name;
  }
}

TEST_F(Form2Test, a_paste_after_an_o_repeats_it_and_after_a_calculation_stays) {
  view.key(1, kVkO, 1, u'O');
  ASSERT_TRUE(panelShown());
  view.paste(2, u"5");
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(view.boxes[2], Text());

  // Even length: no net toggle, and no stack or time in proportion to the length.
  view.paste(3, Text(1'000'000, u'7'));
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(view.boxes[3], Text());
  view.paste(3, Text(999'999, u'7'));
  EXPECT_TRUE(panelShown());
  EXPECT_EQ(view.boxes[3], Text());

  fill(u"0", u"0", u"1");
  form.click(Command1);
  view.paste(2, u"5");
  EXPECT_EQ(view.boxes[2], u"5");
  EXPECT_TRUE(panelShown());
}

}  // namespace
}  // namespace orindel
