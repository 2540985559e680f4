#include <QFontMetricsF>
#include <QGroupBox>
#include <QWindow>
#include <cmath>
#include <string>

#include "fitting_label.h"
#include "form2_fixture.h"
#include "geometry.h"
#include "orindel_version.h"

inline void PrintTo(const QSize& size, std::ostream* os) {
  *os << size.width() << "x" << size.height();
}

namespace orindel {
namespace {

TEST_F(Form2WidgetTest, starts_narrow_with_a_zero_total_and_the_focus_in_text1) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral(ORINDEL_CAPTION));
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

TEST_F(Form2WidgetTest, controls_carry_their_captions) {
  const std::pair<const char*, const char*> captions[] = {
      {"Command1", "＋"}, {"Command2", "－"}, {"Command3", "Op"}, {"Label1", "ｈ"},
      {"Label2", "ｍ"},   {"Label3", "ｓ"},   {"Label6", "回数"},
  };
  for (const auto& [name, caption] : captions) {
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    const QString text = widget->property("text").toString();
    EXPECT_EQ(text, QString::fromUtf8(caption)) << name;
  }
  const QFont font = label("Label6")->font();
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
  EXPECT_TRUE(font.families().contains(QStringLiteral("IPAPGothic")));
}

// Tab goes round the controls in the layout's order; the options, out of sight in the narrow
// window, join the round only while the panel is shown.
TEST_F(Form2WidgetTest, tab_goes_round_the_visible_controls_in_order) {
  const struct {
    bool wide;
    QStringList order;
  } rounds[] = {
      {false, {"Text2", "Text3", "Command1", "Command2", "Command3", "Text1"}},
      {true, {"Text2", "Text3", "Command1", "Command2", "Command3", "Option1", "Text1"}},
  };
  for (const auto& round : rounds) {
    if (panelShown() != round.wide) QTest::mouseClick(button("Command3"), Qt::LeftButton);
    ASSERT_TRUE(focusInText1());
    QStringList visited;
    for (int i = 0; i < round.order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, round.order) << (round.wide ? "wide" : "narrow");
  }
}

// The whole width of a control's caption in its font.
int captionWidth(const QWidget& control) {
  const QString caption = control.property("text").toString();
  return int(std::ceil(QFontMetricsF(control.font()).horizontalAdvance(caption)));
}

// Every control where the shared geometry puts it in its parent, in device-independent pixels, in
// the desktop's font and in a larger one. The captions sized by their text (the units' and the
// count's) are widened to their whole caption where it is wider than the table gives (in the
// larger font), and no further; the total and the count are a line high while their caption takes
// one line.
TEST_F(Form2WidgetTest, controls_sit_where_the_layout_puts_them) {
  const QFont desktop = QApplication::font();
  QFont larger = desktop;
  larger.setPointSizeF(12);
  int widened = 0;
  for (const QFont& font : {desktop, larger}) {
    QApplication::setFont(font);
    SetUp();
    const std::string size = QString::number(font.pointSizeF()).toStdString() + " pt";
    for (bool wide : {false, true}) {
      if (wide) QTest::mouseClick(button("Command3"), Qt::LeftButton);
      for (int i = 0; i < kControlCount; ++i) {
        const ControlLayout& c = kControls[i];
        const std::string name = c.name + std::string(wide ? " wide, " : " narrow, ") + size;
        auto* control = child<QWidget>(c.name);
        const PixelRect place = rectInParent(static_cast<Control>(i), wide);
        QRect expected(place.left, place.top, place.width, place.height);
        const int needed = c.sizing == Sizing::Caption ? captionWidth(*control) : 0;
        widened += needed > expected.width() ? 1 : 0;
        expected.setWidth(std::max(expected.width(), needed));
        EXPECT_EQ(control->geometry(), expected) << name;
      }
    }
  }
  QApplication::setFont(desktop);
  EXPECT_GT(widened, 0) << "no caption was wider than the table gives";
}

// A desktop font change refits the total and the count at once, as a window opened in the new font
// fits them, without waiting for the next calculation.
TEST_F(Form2WidgetTest, a_desktop_font_change_refits_the_total_and_the_count) {
  fill("1", "2", "3");
  QTest::keyClick(box(3), Qt::Key_Plus, Qt::KeypadModifier);
  QTest::mouseClick(button("Command3"), Qt::LeftButton);  // the count shown
  const QFont desktop = QApplication::font();
  QFont larger = desktop;
  larger.setPointSizeF(12);
  QApplication::setFont(larger);
  QCoreApplication::sendPostedEvents();  // the change reaches the widgets as posted events
  Form2Widget opened;
  opened.form().click(Command3);
  for (const char* name : {"Label4", "Label5"}) {
    auto* changed = child<FittingLabel>(name);
    auto* fresh = opened.findChild<FittingLabel*>(QString::fromLatin1(name));
    fresh->setCaption(changed->text());
    EXPECT_EQ(changed->fit().font.pointSizeF(), fresh->fit().font.pointSizeF()) << name;
    EXPECT_EQ(changed->fit().wrapped, fresh->fit().wrapped) << name;
    EXPECT_EQ(changed->fit().shown, fresh->fit().shown) << name;
  }
  QApplication::setFont(desktop);
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

// The window's size is fixed, narrow or wide: a size the window system sets (a Wayland compositor
// may) and maximising from a title bar that offers it leave the window as it was.
TEST_F(Form2WidgetTest, keeps_its_size_and_stays_unmaximised_whatever_the_window_system_does) {
  const std::pair<const char*, void (*)(QWindow&)> doings[] = {
      {"a size set", [](QWindow& w) { w.resize(120, 40); }},
      {"maximising", [](QWindow& w) { w.setWindowStates(Qt::WindowMaximized); }},
  };
  for (const bool wide : {false, true}) {
    if (panelShown() != wide) QTest::mouseClick(button("Command3"), Qt::LeftButton);
    const QSize fixed = window->size();
    for (const auto& [doing, done] : doings) {
      const std::string name = std::string(doing) + (wide ? ", wide" : ", narrow");
      done(*window->windowHandle());
      QCoreApplication::processEvents();  // the window system's events, and the window's answer
      EXPECT_EQ(window->size(), fixed) << name;
      EXPECT_FALSE(window->isMaximized()) << name;
    }
  }
}

}  // namespace
}  // namespace orindel
