// A label that always shows its whole caption: where the caption is wider than the label, it is
// drawn in a smaller font, down to a legible floor; only below that is it elided, and then the
// whole caption is its tooltip. The caption itself, and so the accessible name, stays as it was
// set.
#pragma once

#include <QFont>
#include <QLabel>

namespace orindel {

class FittingLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // What is drawn: the font, and the text in that font (the caption, or its elided form).
  struct Fit {
    QFont font;
    QString shown;
    bool wrapped = false;
    bool elided = false;
  };

  // Sets the caption and fits it to the label.
  void setCaption(const QString& caption);
  const Fit& fit() const { return fit_; }
  // A caption on one line keeps to this band at the top of the label; the rest of its height is
  // room for a wrapped caption. 0: the whole height.
  void setLineHeight(int height);
  // Where a caption on one line is drawn.
  QRect lineRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void refit();

  Fit fit_;
  int lineHeight_ = 0;
};

}  // namespace orindel
