// Form2Widget, the Qt window of Orindel: builds Form2's fifteen controls as widgets from the
// window's layout and turns Qt's events into Form2's entry points. The behaviour and the window's
// rules live in Form2 and the layout's table of controls (ui/form).
#pragma once

#include <QWidget>
#include <functional>

#include "form2.h"
#include "form2_view.h"
#include "geometry.h"
#include "layout.h"

class QLineEdit;
class QMenu;

namespace orindel {

class Form2Widget : public QWidget, private Form2View {
  Q_OBJECT

 public:
  using MessageHandler = std::function<void(const QString& text)>;
  using EndHandler = std::function<void()>;

  // Builds the controls and runs Form_Load; the caller shows the window.
  explicit Form2Widget(QWidget* parent = nullptr);

  // How messages are shown; the default is the modal box of message_box.h. Tests record them.
  void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
  // What Esc in an entry box does; the default ends the program.
  void setEndHandler(EndHandler handler) { end_ = std::move(handler); }

  // The behaviour and its state.
  Form2& form() { return form_; }
  const Form2& form() const { return form_; }

  // The total label's context menu, with its one action "コピー".
  QMenu* totalMenu();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  QWidget* makeControl(Control c);
  bool filterEntryKey(Control box, QEvent* event);
  // The total and count labels reach to the client edge or, in the wide window, to the frame.
  void fitLabels(bool wide);
  QLineEdit* entryBox(Control box) const;
  Control entryOf(const QObject* object) const;
  // After a message box: makes the window active again where the window manager left it inactive.
  void takeBackTheKeyboard();

  // Form2View
  Text boxText(Control box) const override;
  void setBoxText(Control box, const Text& text) override;
  void showTextStart(Control box) override;
  void setOuterWidth(int twips) override;
  void setLabelVisible(Control label, bool visible) override;
  void setCaption(Control label, const Text& caption) override;
  void focus(Control control) override;
  bool isSelected(Control option) const override;
  void message(const Text& text) override;
  void end() override;

  QWidget* controls_[kControlCount] = {};
  Form2 form_{*this};
  MessageHandler message_;
  EndHandler end_;
};

}  // namespace orindel
