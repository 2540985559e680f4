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

void FittingLabel::setLineHeight(int height) {
  lineHeight_ = height;
  refit();
}

QRect FittingLabel::lineRect() const {
  QRect line = contentsRect();
  if (lineHeight_ > 0 && lineHeight_ < line.height()) line.setHeight(lineHeight_);
  return line;
}

void FittingLabel::refit() {
  const QFont base = font();
  const QString caption = text();
  const QRect area = contentsRect();
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
  update();
}

void FittingLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(fit_.font);
  if (fit_.wrapped) {
    style()->drawItemText(&painter, contentsRect(),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                          isEnabled(), fit_.shown, foregroundRole());
  } else {
    style()->drawItemText(&painter, lineRect(), int(alignment()), palette(), isEnabled(),
                          fit_.shown, foregroundRole());
  }
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
