#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "form2_fixture.h"

namespace orindel {
namespace {

struct Shortcut {
  const char* name;
  int box;       // where the key is pressed, after 1, 20, 30 were typed
  bool atStart;  // the caret at the start of the box instead of its end
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  QString total;  // from a total of 1:0:0
  QString boxes;
  int kc;
  QStringList messages;
};

TEST_F(Form2Test, sign_keys_in_a_box_run_the_calculation_of_their_row) {
  const QStringList none;
  const QStringList refused{"計算値が不正です"};
  const QStringList invalid{"入力値が不正です"};
  const Shortcut rows[] = {
      {"keypad plus", 3, false, Qt::Key_Plus, Qt::KeypadModifier, " 2: 20: 30", "||", -1, none},
      {"keypad minus", 1, false, Qt::Key_Minus, Qt::KeypadModifier, " 1: 0: 0", "||", -1, refused},
      {"main minus", 2, false, Qt::Key_Minus, Qt::NoModifier, " 1: 0: 0", "||", -1, refused},
      // Shift with the minus key types "_", which the entry check then rejects.
      {"main minus with shift", 3, false, Qt::Key_Underscore, Qt::ShiftModifier, " 1: 0: 0", "||",
       -1, invalid},
      {"shift plus", 3, false, Qt::Key_Plus, Qt::ShiftModifier, " 2: 20: 30", "||", -1, none},
      {"shift plus at the start", 1, true, Qt::Key_Plus, Qt::ShiftModifier, " 2: 20: 30", "||", -1,
       none},
      {"keypad plus at the start", 2, true, Qt::Key_Plus, Qt::KeypadModifier, " 2: 20: 30", "||",
       -1, none},
      {"plus key without shift", 3, false, Qt::Key_Equal, Qt::NoModifier, " 1: 0: 0",
       "1|20|30=", 187, none},
      {"plus key with shift and ctrl", 3, false, Qt::Key_Plus,
       Qt::ShiftModifier | Qt::ControlModifier, " 1: 0: 0", "1|20|30", 187, none},
      {"a digit", 3, false, Qt::Key_5, Qt::NoModifier, " 1: 0: 0", "1|20|305", 53, none},
      {"a keypad digit", 3, false, Qt::Key_5, Qt::KeypadModifier, " 1: 0: 0", "1|20|305", 101,
       none},
  };
  for (const Shortcut& row : rows) {
    SetUp();
    fill("1", "0", "0");
    QTest::keyClick(box(3), Qt::Key_Plus, Qt::KeypadModifier);
    ASSERT_EQ(total(), QStringLiteral(" 1: 0: 0"));
    fill("1", "20", "30");
    if (row.atStart) box(row.box)->setCursorPosition(0);
    messages.clear();
    QTest::keyClick(box(row.box), row.key, row.modifiers);
    EXPECT_EQ(total(), row.total) << row.name;
    EXPECT_EQ(boxes(), row.boxes) << row.name;
    EXPECT_EQ(window->keyCode(), row.kc) << row.name;
    EXPECT_EQ(messages, row.messages) << row.name;
    if (row.kc == -1) {
      EXPECT_TRUE(focusInText1()) << row.name;
    }
  }
}

TEST_F(Form2Test, keypad_plus_with_empty_boxes_rejects_the_entry) {
  box(1)->setText("1");
  QTest::keyClick(box(1), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(messages, QStringList{"入力値が不正です"});
  EXPECT_EQ(boxes(), QStringLiteral("||"));
  EXPECT_EQ(window->keyCode(), -1);
}

TEST_F(Form2Test, enter_is_swallowed_and_esc_ends_the_program) {
  fill("1", "2", "3");
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(box(2), key);
    EXPECT_EQ(boxes(), QStringLiteral("1|2|3"));
    EXPECT_EQ(window->keyCode(), 13);
  }
  EXPECT_EQ(ends, 0);
  box(2)->setFocus();
  QTest::keyClick(box(2), Qt::Key_Tab);  // moves on, and leaves the pending key alone
  EXPECT_EQ(window->keyCode(), 13);
  EXPECT_TRUE(QApplication::focusWidget() == box(3));
  QTest::keyClick(box(3), Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(window->keyCode(), 27);
  EXPECT_EQ(boxes(), QStringLiteral("1|2|3"));
  // Esc outside the entry boxes does nothing.
  QTest::keyClick(button("Command1"), Qt::Key_Escape);
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Form2Test, a_key_event_without_a_key_adds_the_boxes_as_they_are) {
  fill("0", "1", "0");
  QKeyEvent noKey(QEvent::KeyPress, 0, Qt::NoModifier);
  QApplication::sendEvent(box(2), &noKey);
  EXPECT_EQ(total(), QStringLiteral(" 0: 1: 0"));
  EXPECT_EQ(boxes(), QStringLiteral("||"));
  EXPECT_EQ(window->keyCode(), -1);
}

TEST_F(Form2Test, the_letter_o_toggles_the_panel_once_per_character) {
  struct Case {
    int box;
    QString before;  // the box's text before the O
    bool toggled;
  } cases[] = {
      {1, "", true}, {1, "1", false}, {1, "12", true},
      {2, "", true}, {3, "1", false}, {3, "123", false},
  };
  for (const Case& c : cases) {
    SetUp();
    box(c.box)->setText(c.before);
    box(c.box)->setFocus();
    QTest::keyClick(box(c.box), Qt::Key_O);
    EXPECT_EQ(panelShown(), c.toggled) << c.box << " " << c.before.toStdString();
    EXPECT_EQ(box(c.box)->text(), QString()) << c.box;
    EXPECT_TRUE(focusInText1());
    EXPECT_EQ(window->keyCode(), 79);
    EXPECT_EQ(window->width(), c.toggled ? 360 : 196);
  }
}

TEST_F(Form2Test, a_paste_after_an_o_repeats_it_and_after_a_calculation_stays) {
  QTest::keyClick(box(1), Qt::Key_O, Qt::ShiftModifier);  // "O": shown
  ASSERT_TRUE(panelShown());
  QApplication::clipboard()->setText(QStringLiteral("5"));
  box(2)->paste();
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(box(2)->text(), QString());

  QApplication::clipboard()->setText(QString(1'000'000, QLatin1Char('7')));
  box(3)->paste();  // even length: no net toggle, and no stack or time per character
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(box(3)->text(), QString());

  fill("0", "0", "1");
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  QApplication::clipboard()->setText(QStringLiteral("5"));
  box(2)->paste();
  EXPECT_EQ(box(2)->text(), QStringLiteral("5"));
  EXPECT_FALSE(panelShown());
}

TEST_F(Form2Test, modifier_keys_report_their_own_codes) {
  const std::pair<Qt::Key, int> keys[] = {
      {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18}};
  for (const auto& [key, code] : keys) {
    QTest::keyPress(box(1), key);
    EXPECT_EQ(window->keyCode(), code);
    QTest::keyRelease(box(1), key);
  }
}

}  // namespace
}  // namespace orindel
