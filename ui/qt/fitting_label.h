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
  // Where the label lies in its parent with its caption on one line, and with it wrapped; it
  // takes one or the other as its caption needs, and fits its caption to them.
  void setPlaces(const QRect& oneLine, const QRect& wrapped);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void refit();

  Fit fit_;
  QRect oneLine_, wrapped_;
};

}  // namespace orindel
