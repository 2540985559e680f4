// Run once per scale factor (QT_SCALE_FACTOR): the window keeps its layout in device-independent
// pixels and is drawn with that many more device pixels, so it stays crisp and in proportion.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "form2_widget.h"

namespace orindel {
namespace {

double scaleFactor() {
  return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
}

TEST(HighDpiTest, the_window_and_its_controls_scale_with_the_screen) {
  Form2Widget window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const double factor = scaleFactor();
  EXPECT_DOUBLE_EQ(window.devicePixelRatioF(), factor);

  const struct {
    const char* name;
    QRect geometry;  // twips / 15
  } controls[] = {
      {"Text1", {8, 16, 41, 18}},
      {"Text3", {136, 16, 41, 18}},
      {"Command1", {8, 48, 33, 25}},
      {"Command3", {88, 48, 25, 25}},
  };
  for (const auto& control : controls) {
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(control.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
  }

  for (int width : {Form2Widget::kNarrowWidth, Form2Widget::kWideWidth}) {
    if (window.width() != width) window.form().click(3);
    const QPixmap picture = window.grab();
    EXPECT_EQ(picture.width(), std::lround(width * factor)) << width;
    EXPECT_EQ(picture.height(), std::lround(Form2Widget::kHeight * factor)) << width;
    // The ＋ button, drawn at the full device resolution.
    const QPixmap plus = window.findChild<QPushButton*>(QStringLiteral("Command1"))->grab();
    EXPECT_EQ(plus.width(), std::lround(33 * factor));
  }
}

}  // namespace
}  // namespace orindel
