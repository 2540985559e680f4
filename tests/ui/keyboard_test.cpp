#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

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
      {"keypad plus", false, Qt::Key_Plus, Qt::KeypadModifier, " 1: 20: 30", "||", -1},
      {"main minus", false, Qt::Key_Minus, Qt::NoModifier, " 0: 39: 30", "||", -1},
      {"shift plus at the start", true, Qt::Key_Plus, Qt::ShiftModifier, " 1: 20: 30", "||", -1},
      {"plus key without shift", false, Qt::Key_Equal, Qt::NoModifier, " 1: 0: 0", "0|20|30=", 187},
      {"a keypad digit", false, Qt::Key_5, Qt::KeypadModifier, " 1: 0: 0", "0|20|305", 101},
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
    EXPECT_EQ(keyCode(), 13);
  }
  EXPECT_EQ(ends, 0);
  box(2)->setFocus();
  QTest::keyClick(box(2), Qt::Key_Tab);  // moves on, and leaves the pending key alone
  EXPECT_EQ(keyCode(), 13);
  EXPECT_TRUE(QApplication::focusWidget() == box(3));
  QTest::keyClick(box(3), Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(boxes(), QStringLiteral("1|2|3"));
  // Esc outside the entry boxes does nothing.
  QTest::keyClick(button("Command1"), Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(messages.isEmpty());
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
