#include <QGroupBox>

#include "form2_fixture.h"
#include "runtime_error.h"

namespace orindel {
namespace {

TEST_F(Form2Test, starts_narrow_with_a_zero_total_and_the_focus_in_text1) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Orindel Ver,1.6"));
  EXPECT_EQ(window->size(), QSize(196, 80));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // not resizable
  EXPECT_EQ(total(), QStringLiteral(" 0: 0: 0"));
  EXPECT_EQ(label("Label5")->text(), QStringLiteral("0"));
  EXPECT_FALSE(label("Label5")->isVisible());
  EXPECT_FALSE(label("Label6")->isVisible());
  EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("Option2")->isChecked());
  EXPECT_GE(child<QGroupBox>("Frame1")->x(), window->width());  // wholly cut off
  EXPECT_EQ(boxes(), QStringLiteral("||"));
  EXPECT_TRUE(focusInText1());
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(window->keyCode(), 0);
}

TEST_F(Form2Test, controls_carry_their_captions_and_tab_order) {
  const std::pair<const char*, const char*> captions[] = {
      {"Command1", "＋"}, {"Command2", "－"}, {"Command3", "Op"}, {"Label1", "ｈ"},
      {"Label2", "ｍ"},   {"Label3", "ｓ"},   {"Label6", "回数"},
  };
  for (const auto& [name, caption] : captions) {
    QWidget* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    const QString text = widget->property("text").toString();
    EXPECT_EQ(text, QString::fromUtf8(caption)) << name;
  }
  const char* order[] = {"Text1", "Text2", "Text3", "Command1", "Command2", "Command3", "Option1"};
  QWidget* widget = box(1);
  for (const char* name : order) {
    EXPECT_EQ(widget->objectName(), QString::fromLatin1(name));
    do {
      widget = widget->nextInFocusChain();
    } while (widget->focusPolicy() == Qt::NoFocus);
  }
  const QFont font = label("Label6")->font();
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
  EXPECT_TRUE(font.families().contains(QStringLiteral("IPAPGothic")));
}

TEST_F(Form2Test, op_toggles_the_panel_width_and_keeps_everything_else) {
  fill("1", "2", "3");
  child<QRadioButton>("Option2")->setChecked(true);
  const std::pair<int, bool> steps[] = {{360, true}, {196, false}, {360, true}};
  for (const auto& [width, shown] : steps) {
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    EXPECT_EQ(window->width(), width);
    EXPECT_EQ(panelShown(), shown);
    EXPECT_EQ(label("Label5")->isVisible(), shown);
    EXPECT_EQ(label("Label6")->isVisible(), shown);
    EXPECT_TRUE(focusInText1()) << width;
    EXPECT_EQ(boxes(), QStringLiteral("1|2|3"));
    EXPECT_TRUE(child<QRadioButton>("Option2")->isChecked());
  }
  EXPECT_EQ(label("Label5")->text(), QStringLiteral("0"));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Form2Test, plus_and_minus_buttons_apply_the_entry) {
  struct Case {
    const char* button;
    QString t1, t2, t3;
    QString total;
    QStringList messages;
  } cases[] = {
      {"Command1", "1", "20", "30", " 1: 20: 30", {}},
      {"Command2", "0", "20", "0", " 1: 0: 30", {}},
      {"Command2", "2", "0", "0", " 1: 0: 30", {"計算値が不正です"}},
      {"Command1", "", "", "", " 1: 0: 30", {"入力値が不正です"}},
      {"Command2", "0", "0", "0", " 1: 0: 30", {}},
  };
  for (const Case& c : cases) {
    messages.clear();
    fill(c.t1, c.t2, c.t3);
    QTest::mouseClick(button(c.button), Qt::LeftButton);
    EXPECT_EQ(total(), c.total) << c.button << " " << c.t2.toStdString();
    EXPECT_EQ(messages, c.messages) << c.button << " " << c.t2.toStdString();
    EXPECT_EQ(boxes(), QStringLiteral("||"));
    EXPECT_TRUE(focusInText1());
    EXPECT_EQ(window->keyCode(), -1);
  }
  EXPECT_EQ(label("Label5")->text(), QStringLiteral(" 0"));  // one addition, one subtraction
}

TEST_F(Form2Test, the_limit_warning_follows_the_option_while_the_panel_is_shown) {
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  fill("79", "0", "0");
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(messages, QStringList{"計算値が７４分を超えました"});
  child<QRadioButton>("Option2")->setChecked(true);
  fill("1", "0", "0");
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(messages.last(), QStringLiteral("計算値が８０分を超えました"));
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  fill("1", "0", "0");
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(messages.size(), 2);  // hidden panel: no warning
  EXPECT_EQ(total(), QStringLiteral(" 81: 0: 0"));
}

TEST_F(Form2Test, cle_empties_the_boxes_without_starting_a_calculation) {
  fill("5", "6", "7+");  // a pending key that would add, were a box still filled
  window->cle();
  EXPECT_EQ(boxes(), QStringLiteral("||"));
  EXPECT_TRUE(focusInText1());
  EXPECT_EQ(window->keyCode(), -1);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(total(), QStringLiteral(" 0: 0: 0"));
}

TEST_F(Form2Test, op_drops_the_last_character_of_its_box_only) {
  struct Case {
    int ch;
    QString expected;
    bool toggled;
  } cases[] = {{2, "1||3", true}, {1, "|o|3", true}, {3, "1|o|", true}, {4, "1|o|3", true}};
  for (const Case& c : cases) {
    window->cle();
    box(1)->setText("1");
    box(2)->setText("o");
    box(3)->setText("3");
    const bool before = panelShown();
    window->op(c.ch);
    EXPECT_EQ(boxes(), c.expected) << c.ch;
    EXPECT_NE(panelShown(), before) << c.ch;
    EXPECT_TRUE(focusInText1());
  }
}

TEST_F(Form2Test, runtime_errors_are_reported_and_the_program_goes_on) {
  struct Case {
    QString t1, t2, t3;
    int number;
  } cases[] = {
      {"1", "2", "-", RuntimeError::kInvalidArgument},
      {"1", "2", "+", RuntimeError::kInvalidArgument},
      {"32768", "0", "0", RuntimeError::kOverflow},
      {"1", "1e5", "0", RuntimeError::kOverflow},
  };
  for (const Case& c : cases) {
    window->cle();
    messages.clear();
    box(1)->setText(c.t1);  // set, not typed: a typed sign would already run the calculation
    box(2)->setText(c.t2);
    box(3)->setText(c.t3);
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{Form2::runtimeErrorText(c.number)}) << c.t3.toStdString();
    EXPECT_EQ(boxes(), c.t1 + "|" + c.t2 + "|" + c.t3);  // not cleared
    EXPECT_EQ(total(), QStringLiteral(" 0: 0: 0"));
  }
  // The same through a key: the pending key stays until the next key-down.
  window->cle();
  messages.clear();
  fill("1", "2", "");
  QTest::keyClick(box(3), Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(messages, QStringList{Form2::runtimeErrorText(RuntimeError::kInvalidArgument)});
  EXPECT_EQ(window->keyCode(), 109);
  EXPECT_EQ(boxes(), QStringLiteral("1|2|-"));
  // And it goes on: a proper entry still works.
  window->cle();
  fill("0", "1", "0");
  QTest::keyClick(box(3), Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(total(), QStringLiteral(" 0: 1: 0"));
}

}  // namespace
}  // namespace orindel
