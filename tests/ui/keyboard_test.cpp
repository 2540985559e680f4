#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <string>
#include <vector>

#include "form2_fixture.h"

namespace orindel {
namespace {

// Real Qt key events: each reaches Form2 as its key-down before the box types its character, and
// the typed character raises the change event that runs the calculation.
TEST_F(Form2WidgetTest, qt_key_events_reach_the_entry_handlers_in_order) {
  struct Row {
    const char* name;
    bool atStart;  // the caret at the start of Text3 instead of its end
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString total;  // from a total of 1:0:0
    QString boxes;
    int kc;
  } rows[] = {
      {"keypad plus", false, Qt::Key_Plus, Qt::KeypadModifier, " 1: 20: 30", "||",
       Form2::kNoKeyPending},
      {"main minus", false, Qt::Key_Minus, Qt::NoModifier, " 0: 39: 30", "||",
       Form2::kNoKeyPending},
      {"shift plus at the start", true, Qt::Key_Plus, Qt::ShiftModifier, " 1: 20: 30", "||",
       Form2::kNoKeyPending},
      {"plus key without shift", false, Qt::Key_Equal, Qt::NoModifier, " 1: 0: 0",
       "0|20|30=", kVkOemPlus},
      {"a keypad digit", false, Qt::Key_5, Qt::KeypadModifier, " 1: 0: 0", "0|20|305",
       kVkNumpad0 + 5},
  };
  for (const Row& row : rows) {
    SetUp();
    fill("1", "0", "0");
    QTest::keyClick(box(3), Qt::Key_Plus, Qt::KeypadModifier);
    ASSERT_EQ(total(), QStringLiteral(" 1: 0: 0"));
    fill("0", "20", "30");
    if (row.atStart) box(3)->setCursorPosition(0);
    QTest::keyClick(box(3), row.key, row.modifiers);
    EXPECT_EQ(total(), row.total) << row.name;
    EXPECT_EQ(boxes(), row.boxes) << row.name;
    EXPECT_EQ(keyCode(), row.kc) << row.name;
    EXPECT_TRUE(messages.isEmpty()) << row.name;
  }
}

TEST_F(Form2WidgetTest, enter_is_swallowed_tab_moves_on_and_esc_ends_the_program) {
  fill("1", "2", "3");
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(box(2), key);
    EXPECT_EQ(boxes(), QStringLiteral("1|2|3"));
    EXPECT_EQ(keyCode(), kVkReturn);
  }
  EXPECT_EQ(ends, 0);
  box(2)->setFocus();
  QTest::keyClick(box(2), Qt::Key_Tab);  // moves on, and leaves the pending key alone
  EXPECT_EQ(keyCode(), kVkReturn);
  EXPECT_TRUE(QApplication::focusWidget() == box(3));
  QTest::keyClick(box(3), Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(boxes(), QStringLiteral("1|2|3"));
  // Esc outside the entry boxes does nothing.
  QTest::keyClick(button("Command1"), Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(messages.isEmpty());
}

// The caret and editing keys work in a box as in any line edit: each is a key-down that leaves its
// own code pending, and none starts a calculation.
TEST_F(Form2WidgetTest, editing_keys_edit_the_box_and_only_leave_their_code_pending) {
  struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  };
  const struct {
    const char* name;
    std::vector<Key> keys;
    QString text;
    int cursor;
    QString selected;
    int kc, sh;
  } rows[] = {
      {"left", {{Qt::Key_Left}}, "12345", 4, "", 37, 0},
      {"home", {{Qt::Key_Home}}, "12345", 0, "", 36, 0},
      {"home, right", {{Qt::Key_Home}, {Qt::Key_Right}}, "12345", 1, "", 39, 0},
      {"home, end", {{Qt::Key_Home}, {Qt::Key_End}}, "12345", 5, "", 35, 0},
      {"home, delete", {{Qt::Key_Home}, {Qt::Key_Delete}}, "2345", 0, "", 46, 0},
      {"backspace", {{Qt::Key_Backspace}}, "1234", 4, "", 8, 0},
      {"shift+left", {{Qt::Key_Left, Qt::ShiftModifier}}, "12345", 4, "5", 37, 1},
      {"home, shift+right",
       {{Qt::Key_Home}, {Qt::Key_Right, Qt::ShiftModifier}},
       "12345",
       1,
       "1",
       39,
       1},
      {"ctrl+a", {{Qt::Key_A, Qt::ControlModifier}}, "12345", 5, "12345", 65, 2},
      {"ctrl+a, 7", {{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_7}}, "7", 1, "", 55, 0},
  };
  for (const auto& row : rows) {
    SetUp();
    QTest::keyClicks(box(2), QStringLiteral("12345"));
    for (const Key& key : row.keys) QTest::keyClick(box(2), key.key, key.modifiers);
    EXPECT_EQ(box(2)->text(), row.text) << row.name;
    EXPECT_EQ(box(2)->cursorPosition(), row.cursor) << row.name;
    EXPECT_EQ(box(2)->selectedText(), row.selected) << row.name;
    EXPECT_EQ(keyCode(), row.kc) << row.name;
    EXPECT_EQ(window->form().shiftState(), row.sh) << row.name;
    EXPECT_EQ(total(), QStringLiteral(" 0: 0: 0")) << row.name;
    EXPECT_TRUE(messages.isEmpty()) << row.name;
  }
}

// Enter on a focused button presses it, as Space does; no button is the window's default.
TEST_F(Form2WidgetTest, enter_presses_the_focused_button) {
  const struct {
    const char* button;
    Qt::Key key;
    QString total;
    bool panel;
    QStringList messages;
  } rows[] = {
      {"Command1", Qt::Key_Return, " 1: 2: 3", false, {}},
      {"Command2", Qt::Key_Enter, " 0: 0: 0", false, {"計算値が不正です"}},
      {"Command3", Qt::Key_Return, " 0: 0: 0", true, {}},
  };
  for (const auto& row : rows) {
    SetUp();
    fill("1", "2", "3");
    button(row.button)->setFocus();
    QTest::keyClick(button(row.button), row.key);
    EXPECT_EQ(total(), row.total) << row.button;
    EXPECT_EQ(panelShown(), row.panel) << row.button;
    EXPECT_EQ(messages, row.messages) << row.button;
    EXPECT_TRUE(focusInText1()) << row.button;
    for (const char* name : {"Command1", "Command2", "Command3"}) {
      EXPECT_FALSE(button(name)->isDefault()) << name;
    }
  }
}

// A box that loses the focus to another control shows the start of its text; a context menu
// leaves the caret where it was, for the paste to land there.
TEST_F(Form2WidgetTest, a_box_left_for_another_control_shows_its_start) {
  const struct {
    const char* name;
    Qt::FocusReason reason;
    int cursor;
  } rows[] = {
      {"tab", Qt::TabFocusReason, 0},
      {"click", Qt::MouseFocusReason, 0},
      {"context menu", Qt::PopupFocusReason, 10},
  };
  for (const auto& row : rows) {
    SetUp();
    QTest::keyClicks(box(1), QStringLiteral("1234567890"));
    box(2)->setFocus(row.reason);
    if (row.reason == Qt::PopupFocusReason) {
      QFocusEvent out(QEvent::FocusOut, row.reason);
      QApplication::sendEvent(box(1), &out);
    }
    EXPECT_EQ(box(1)->cursorPosition(), row.cursor) << row.name;
    EXPECT_EQ(box(1)->text(), QStringLiteral("1234567890")) << row.name;
  }
}

TEST_F(Form2WidgetTest, a_key_event_without_a_key_adds_the_boxes_as_they_are) {
  fill("0", "1", "0");
  QKeyEvent noKey(QEvent::KeyPress, 0, Qt::NoModifier);
  QApplication::sendEvent(box(2), &noKey);
  EXPECT_EQ(total(), QStringLiteral(" 0: 1: 0"));
  EXPECT_EQ(boxes(), QStringLiteral("||"));
  EXPECT_EQ(keyCode(), -1);
}

// A paste is a change without a key: after an O it repeats the O on the pasted box.
TEST_F(Form2WidgetTest, a_paste_after_an_o_repeats_it) {
  QTest::keyClick(box(1), Qt::Key_O, Qt::ShiftModifier);  // "O": shown
  ASSERT_TRUE(panelShown());
  EXPECT_EQ(window->width(), 360);
  QApplication::clipboard()->setText(QStringLiteral("5"));
  box(2)->paste();
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(box(2)->text(), QString());
  EXPECT_TRUE(focusInText1());
}

TEST_F(Form2WidgetTest, modifier_keys_report_their_own_codes) {
  const std::pair<Qt::Key, int> keys[] = {
      {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18}};
  for (const auto& [key, code] : keys) {
    QTest::keyPress(box(1), key);
    EXPECT_EQ(keyCode(), code);
    QTest::keyRelease(box(1), key);
  }
}

}  // namespace
}  // namespace orindel
