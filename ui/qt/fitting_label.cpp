#include "fitting_label.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include "layout.h"

namespace orindel {

namespace {

QFont withPointSize(QFont font, double points) {
  font.setPointSizeF(points);
  return font;
}

}  // namespace

void FittingLabel::setCaption(const QString& caption) {
  setText(caption);
  refit();
}

void FittingLabel::refit() {
  const QFont base = font();
  const QString caption = text();
  // One pixel to spare: a glyph's ink may reach a little past its advance.
  const double available = contentsRect().width() - 1;
  const double preferred = QFontInfo(base).pointSizeF();
  const CaptionFit chosen = fitCaption(preferred, available, [&](double points) {
    return QFontMetricsF(withPointSize(base, points)).horizontalAdvance(caption);
  });
  fit_.font = chosen.points == preferred ? base : withPointSize(base, chosen.points);
  fit_.elided = chosen.elided;
  fit_.shown = chosen.elided
                   ? QFontMetricsF(fit_.font).elidedText(caption, Qt::ElideRight, available)
                   : caption;
  setToolTip(chosen.elided ? caption : QString());
  update();
}

void FittingLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(fit_.font);
  style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                        fit_.shown, foregroundRole());
}

void FittingLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  refit();
}

void FittingLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) refit();
}

}  // namespace orindel
