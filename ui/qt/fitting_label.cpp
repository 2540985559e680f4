#include "fitting_label.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

#include "caption_fit.h"

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

void FittingLabel::setPlaces(const QRect& oneLine, const QRect& wrapped) {
  oneLine_ = oneLine;
  wrapped_ = wrapped;
  refit();
}

void FittingLabel::refit() {
  if (wrapped_.isEmpty()) return;  // not placed yet
  const QFont base = font();
  const QString caption = text();
  const QRect area(QPoint(0, 0), wrapped_.size());
  // One pixel to spare: a glyph's ink may reach a little past its advance.
  const double available = area.width() - 1;
  const double preferred = QFontInfo(base).pointSizeF();
  const CaptionFit chosen = fitCaption(
      preferred,
      [&](double points) {
        return QFontMetricsF(withPointSize(base, points)).horizontalAdvance(caption) <= available;
      },
      [&](double points) {
        const QRectF wrapped =
            QFontMetricsF(withPointSize(base, points))
                .boundingRect(QRectF(0, 0, available, area.height()), Qt::TextWordWrap, caption);
        return wrapped.width() <= available && wrapped.height() <= area.height();
      });
  fit_.font = chosen.points == preferred ? base : withPointSize(base, chosen.points);
  fit_.wrapped = chosen.wrapped;
  fit_.elided = chosen.elided;
  fit_.shown = chosen.elided
                   ? QFontMetricsF(fit_.font).elidedText(caption, Qt::ElideRight, available)
                   : caption;
  setToolTip(chosen.elided ? caption : QString());
  setGeometry(chosen.wrapped ? wrapped_ : oneLine_);
  update();
}

void FittingLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setFont(fit_.font);
  const Qt::Alignment align = fit_.wrapped ? Qt::AlignLeft | Qt::AlignVCenter : alignment();
  const int flags = static_cast<int>(align) | (fit_.wrapped ? int{Qt::TextWordWrap} : 0);
  style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), fit_.shown,
                        foregroundRole());
}

void FittingLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) refit();
}

}  // namespace orindel
