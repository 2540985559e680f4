// Run once per scale factor (QT_SCALE_FACTOR): the window keeps its layout in device-independent
// pixels and is drawn with that many more device pixels, so it stays crisp and in proportion.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <vector>

#include "fitting_label.h"
#include "form2_widget.h"
#include "layout.h"

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

  for (int width : {twipsToPixels(kNarrowClientTwips), twipsToPixels(kWideClientTwips)}) {
    if (window.width() != width) window.form().click(Command3);
    const QPixmap picture = window.grab();
    EXPECT_EQ(picture.width(), std::lround(width * factor)) << width;
    EXPECT_EQ(picture.height(), std::lround(twipsToPixels(kClientHeightTwips) * factor)) << width;
    // The ＋ button, drawn at the full device resolution.
    const QPixmap plus = window.findChild<QPushButton*>(QStringLiteral("Command1"))->grab();
    EXPECT_EQ(plus.width(), std::lround(33 * factor));
  }
}

// The total and the count show whole at every scale: the label is as wide as the free space allows,
// the caption shrinks to fit it, below the legible floor the total takes a second line, and only a
// caption that cannot wrap is elided, with the whole caption kept in the tooltip. No label reaches
// over another control.
TEST(HighDpiTest, the_total_and_the_count_show_whole_without_overlapping) {
  Form2Widget window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const struct {
    const char* label;
    std::vector<QString> captions;
  } tables[] = {
      {"Label4",
       {" 0: 0: 0", " 1: 59: 59", " 74: 0: 5", " 0: 0:-10", " 1000: 59: 59", " 12345: 59: 59",
        " 123456: 59: 59", " 1234567: 59: 59", " 12345678: 59: 59", " 1234567890: 59: 59",
        "-32768:-32768:-32768"}},
      {"Label5", {"0", " 0", " 1", " 10", " 999", " 1000", " 9999", " 32767"}},
  };
  for (bool wide : {false, true}) {
    if ((window.form().panelFlag() == 1) != wide) window.form().click(Command3);
    QList<QWidget*> others;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible()) others << child;
    }
    for (const auto& table : tables) {
      auto* label = window.findChild<FittingLabel*>(QString::fromLatin1(table.label));
      ASSERT_NE(label, nullptr);
      EXPECT_LE(label->geometry().right(), window.width() - 1) << table.label;
      for (QWidget* other : others) {
        if (other == label) continue;
        EXPECT_FALSE(label->geometry().intersects(other->geometry()))
            << table.label << " overlaps " << other->objectName().toStdString();
      }
      for (const QString& caption : table.captions) {
        label->setCaption(caption);
        const FittingLabel::Fit& fit = label->fit();
        const QFontMetricsF metrics(fit.font);
        const std::string name = caption.toStdString() + (wide ? " wide" : " narrow");
        EXPECT_EQ(label->text(), caption) << name;
        if (fit.wrapped) {
          const QRectF wrapped =
              metrics.boundingRect(QRectF(label->contentsRect()), Qt::TextWordWrap, fit.shown);
          EXPECT_TRUE(QRectF(label->contentsRect()).contains(wrapped)) << name;
        } else {
          EXPECT_LE(metrics.horizontalAdvance(fit.shown), label->lineRect().width()) << name;
          EXPECT_LE(metrics.height(), label->lineRect().height() + 1) << name;
        }
        EXPECT_GE(fit.font.pointSizeF(), kLegibleFloorPoints) << name;
        // Only a caption too long for one line and without a blank to wrap at is elided.
        if (caption.contains(' ')) {
          EXPECT_FALSE(fit.elided) << name;
        }
        if (fit.elided) {
          EXPECT_EQ(label->toolTip(), caption) << name;
          EXPECT_DOUBLE_EQ(fit.font.pointSizeF(), kLegibleFloorPoints) << name;
        } else {
          EXPECT_EQ(fit.shown, caption) << name;
        }
      }
    }
  }
}

}  // namespace
}  // namespace orindel
