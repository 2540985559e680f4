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

#include "caption_fit.h"
#include "fitting_label.h"
#include "form2_widget.h"
#include "in_its_place.h"

namespace orindel {
namespace {

double scaleFactor() {
  return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
}

// Qt lays out the shared geometry at the layout's own DPI, and the screen's scale makes it the
// very rectangles the Win32 window takes at that DPI.
TEST(HighDpiTest, the_window_and_its_controls_scale_with_the_screen) {
  Form2Widget window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const double factor = scaleFactor();
  EXPECT_DOUBLE_EQ(window.devicePixelRatioF(), factor);
  const int dpi = static_cast<int>(std::lround(kLayoutDpi * factor));
  const auto device = [factor](int logical) {
    return static_cast<int>(std::lround(logical * factor));
  };

  for (bool wide : {false, true}) {
    if ((window.form().panelFlag() == 1) != wide) window.form().click(Command3);
    const QPixmap picture = window.grab();
    EXPECT_EQ((PixelSize{picture.width(), picture.height()}), clientSize(wide, dpi)) << wide;
    for (int i = 0; i < kControlCount; ++i) {
      const auto c = static_cast<Control>(i);
      auto* widget = window.findChild<QWidget*>(QString::fromLatin1(kControls[c].name));
      ASSERT_NE(widget, nullptr) << kControls[c].name;
      const QPoint at = widget->mapTo(&window, QPoint(0, 0));
      const auto* label = qobject_cast<const FittingLabel*>(widget);
      EXPECT_TRUE(inItsPlace(
          c, wide, dpi, label && label->fit().wrapped,
          {device(at.x()), device(at.y()), device(widget->width()), device(widget->height())}));
    }
    // The ＋ button, drawn at the full device resolution.
    const QPixmap plus = window.findChild<QPushButton*>(QStringLiteral("Command1"))->grab();
    EXPECT_EQ(plus.width(), controlRect(Command1, wide, dpi).width);
  }
}

// The caption, given to the label, shows whole within it: shrunk, or wrapped below the legible
// floor; only a caption without a blank to wrap at is elided, its whole text in the tooltip.
void expectShownWhole(FittingLabel& label, const QString& caption, const std::string& name) {
  label.setCaption(caption);
  const FittingLabel::Fit& fit = label.fit();
  const QFontMetricsF metrics(fit.font);
  EXPECT_EQ(label.text(), caption) << name;
  if (fit.wrapped) {
    const QRectF wrapped =
        metrics.boundingRect(QRectF(label.contentsRect()), Qt::TextWordWrap, fit.shown);
    EXPECT_TRUE(QRectF(label.contentsRect()).contains(wrapped)) << name;
  } else {
    EXPECT_LE(metrics.horizontalAdvance(fit.shown), label.contentsRect().width()) << name;
    EXPECT_LE(metrics.height(), label.contentsRect().height() + 1) << name;
  }
  EXPECT_GE(fit.font.pointSizeF(), kLegibleFloorPoints) << name;
  if (caption.contains(' ')) {
    EXPECT_FALSE(fit.elided) << name;
  }
  if (fit.elided) {
    EXPECT_EQ(label.toolTip(), caption) << name;
    EXPECT_DOUBLE_EQ(fit.font.pointSizeF(), kLegibleFloorPoints) << name;
  } else {
    EXPECT_EQ(fit.shown, caption) << name;
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
        expectShownWhole(*label, caption, caption.toStdString() + (wide ? " wide" : " narrow"));
      }
    }
  }
}

}  // namespace
}  // namespace orindel
