#include <QGroupBox>

#include "form2_fixture.h"

namespace orindel {
namespace {

TEST_F(Form2WidgetTest, starts_narrow_with_a_zero_total_and_the_focus_in_text1) {
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
}

TEST_F(Form2WidgetTest, controls_carry_their_captions_and_tab_order) {
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

// The clicks reach their procedures, and a runtime error raised in one is reported instead of
// escaping into Qt's event dispatch.
TEST_F(Form2WidgetTest, clicks_reach_the_buttons_procedures) {
  struct Case {
    const char* button;
    QString t1, t2, t3;
    QString total;
    int width;
    int messages;
  } cases[] = {
      {"Command1", "1", "20", "30", " 1: 20: 30", 196, 0},
      {"Command2", "0", "20", "0", " 1: 0: 30", 196, 0},
      {"Command3", "", "", "", " 1: 0: 30", 360, 0},
      {"Command3", "", "", "", " 1: 0: 30", 196, 0},
      {"Command1", "1", "2", "+", " 1: 0: 30", 196, 1},
  };
  for (const Case& c : cases) {
    messages.clear();
    box(1)->setText(c.t1);
    box(2)->setText(c.t2);
    box(3)->setText(c.t3);
    QTest::mouseClick(button(c.button), Qt::LeftButton);
    EXPECT_EQ(total(), c.total) << c.button;
    EXPECT_EQ(window->width(), c.width) << c.button;
    EXPECT_EQ(messages.size(), c.messages) << c.button;
    if (c.messages == 0) {
      EXPECT_TRUE(focusInText1()) << c.button;
    }
  }
}

}  // namespace
}  // namespace orindel
