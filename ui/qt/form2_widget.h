// Form2Widget, the Qt window of Orindel: builds Form2's fifteen controls as widgets and turns Qt's
// events into Form2's entry points. The behaviour itself lives in Form2 (ui/form).
#pragma once

#include <QWidget>
#include <functional>

#include "form2.h"
#include "form2_view.h"
#include "layout.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace orindel {

class FittingLabel;

class Form2Widget : public QWidget, private Form2View {
  Q_OBJECT

 public:
  // Client sizes in device-independent pixels (twips / 15): the outer widths less the border.
  static constexpr int kNarrowWidth = kNarrowClientTwips / 15;
  static constexpr int kWideWidth = kWideClientTwips / 15;
  static constexpr int kHeight = kClientHeightTwips / 15;

  using MessageHandler = std::function<void(const QString& text)>;
  using EndHandler = std::function<void()>;

  // Builds the controls and runs Form_Load; the caller shows the window.
  explicit Form2Widget(QWidget* parent = nullptr);

  // How messages are shown; the default is a modal box titled "Orindel". Tests record them instead.
  void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
  // What Esc in an entry box does; the default ends the program.
  void setEndHandler(EndHandler handler) { end_ = std::move(handler); }

  // The behaviour and its state.
  Form2& form() { return form_; }
  const Form2& form() const { return form_; }

  // The total label's context menu, with its one action "コピー".
  QMenu* totalMenu();
  // Puts the total on the clipboard without its blanks: " 1: 23: 30" as "1:23:30".
  void copyTotal();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  // The total and count labels reach to the client edge or, in the wide window, to the frame.
  void fitLabels(bool wide);
  QLineEdit* entryBox(int n) const;
  int entryNumber(const QObject* object) const;

  // Form2View
  Text boxText(int n) const override;
  void setBoxText(int n, const Text& text) override;
  void setOuterWidth(int twips) override;
  void setLabelVisible(int n, bool visible) override;
  void setCaption(int n, const Text& caption) override;
  void focusText1() override;
  bool option1Selected() const override;
  void message(const Text& text) override;
  void end() override;

  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  FittingLabel* Label4 = nullptr;
  FittingLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;

  Form2 form_{*this};
  MessageHandler message_;
  EndHandler end_;
};

}  // namespace orindel
