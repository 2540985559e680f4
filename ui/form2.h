// Form2, the one window of Orindel: three entry boxes, the ＋ － Op buttons, the total, and the
// extended panel with the entry count and the limit choice.
//
// Data flow: a click on ＋/－, or a sign key typed into an entry box, calls check(); check reads
// the three boxes through the TallyWindow interface, parses them into the register's h, m, s and
// calls keisan(); keisan updates the total held here by value, warns, writes the labels and calls
// cle(), which empties the boxes. Every change of a box's text, the program's own included, runs
// that box's change handler at once, nested inside the assignment: the O key's panel toggle relies
// on that.
#pragma once

#include <QWidget>
#include <functional>

#include "entry.h"
#include "integer.h"
#include "key_map.h"
#include "tally_register.h"
#include "tally_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace orindel {

class Form2 : public QWidget, public TallyWindow {
  Q_OBJECT

 public:
  // Client sizes in device-independent pixels (twips / 15): the outer widths less the border.
  static constexpr int kNarrowWidth = (3030 - 90) / 15;
  static constexpr int kWideWidth = (5490 - 90) / 15;
  static constexpr int kHeight = 1200 / 15;

  using MessageHandler = std::function<void(const QString& text)>;
  using EndHandler = std::function<void()>;

  // Builds the controls and runs Form_Load; the caller shows the window.
  explicit Form2(QWidget* parent = nullptr);

  // How messages are shown; the default is a modal box titled "Orindel". Tests record them instead.
  void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
  // What Esc in an entry box does; the default ends the program.
  void setEndHandler(EndHandler handler) { end_ = std::move(handler); }

  // The modal box every message uses: its text, one OK button, no icon, the title "Orindel".
  static void showMessageBox(QWidget* parent, const QString& text);

  // The text of a runtime error's report.
  static QString runtimeErrorText(int number);

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void op(int ch);
  void check(const Text& seg);

  void Text1_KeyDown(int& keyCode, int& shift) { entryKeyDown(keyCode, shift); }
  void Text2_KeyDown(int& keyCode, int& shift) { entryKeyDown(keyCode, shift); }
  void Text3_KeyDown(int& keyCode, int& shift) { entryKeyDown(keyCode, shift); }
  void Text1_KeyPress(int& keyAscii) { entryKeyPress(keyAscii); }
  void Text2_KeyPress(int& keyAscii) { entryKeyPress(keyAscii); }
  void Text3_KeyPress(int& keyAscii) { entryKeyPress(keyAscii); }
  void Text1_Change() { entryChange(1); }
  void Text2_Change() { entryChange(2); }
  void Text3_Change() { entryChange(3); }

  // The total label's context menu, with its one action "コピー".
  QMenu* totalMenu();
  // Puts the total on the clipboard without its blanks: " 1: 23: 30" as "1:23:30".
  void copyTotal();

  // TallyWindow
  Text entryText(int box) const override;
  void cle() override;
  void showMessage(const Text& prompt) override;
  Integer panelFlag() const override { return cm; }
  bool option1Selected() const override;
  void setLabel4(const Text& caption) override;
  void setLabel5(const Text& caption) override;

  // State, readable for tests.
  const TallyRegister& tally() const { return reg; }
  Integer keyCode() const { return Kc; }
  Integer shiftState() const { return Sh; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  QLineEdit* entryBox(int n) const;
  int entryNumber(const QObject* object) const;
  void entryKeyDown(int& keyCode, int& shift);
  void entryKeyPress(int& keyAscii);
  void entryChange(int n);
  void end();

  // Runs a handler that Qt called; a runtime error is reported here and goes no further.
  template <typename Handler>
  void guarded(Handler&& handler);

  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;

  TallyRegister reg;
  orindel::SignFlags SignFlags{};
  Integer cm;
  Integer Kc;
  Integer Sh;
  bool ended_ = false;

  MessageHandler message_;
  EndHandler end_;
};

}  // namespace orindel
