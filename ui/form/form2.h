// Form2, the behaviour of Orindel's one window, written once for every toolkit: its procedures,
// the tally register, the panel flag and the key state.
//
// Data flow: a toolkit adapter turns its events into the entry points below (load, click,
// keyDown, keyPress, change). A click on ＋/－, or a sign key typed into an entry box, calls
// check(); check reads the three boxes through the view, parses them into the register's h, m, s
// and calls keisan(); keisan updates the total held here by value, warns, writes the labels and
// calls cle(), which empties the boxes. Every change of a box's text, the program's own included,
// comes back through change() at once, nested inside the assignment: the O key's panel toggle
// relies on that.
#pragma once

#include "entry.h"
#include "form2_view.h"
#include "integer.h"
#include "runtime_error.h"
#include "tally_register.h"
#include "tally_window.h"
#include "text.h"

namespace orindel {

class Form2 : public TallyWindow {
 public:
  // The window's outer widths in twips, panel hidden and shown.
  static constexpr int kNarrowOuterWidth = 3030;
  static constexpr int kWideOuterWidth = 5490;

  explicit Form2(Form2View& view) : view_(view) {}
  Form2(const Form2&) = delete;
  Form2& operator=(const Form2&) = delete;

  // Entry points for the toolkit, one per window event. Each reports a runtime error raised in its
  // handler through a message and returns normally, so that no exception reaches the toolkit.
  void load();
  void click(int command);
  // A key going down in box n; false when it ended the program and the keystroke goes no further.
  bool keyDown(int n, int keyCode, int shift);
  // The character a key types in box n; returns the character to type, 0 to drop the keystroke.
  int keyPress(int n, int keyAscii);
  void change(int n);

  // The text of a runtime error's report: what happened and what the user can do about it.
  static Text runtimeErrorText(const RuntimeError& error);

  // The design's procedures.
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

  // TallyWindow
  Text entryText(int box) const override { return view_.boxText(box); }
  void cle() override;
  void showMessage(const Text& prompt) override { view_.message(prompt); }
  Integer panelFlag() const override { return cm; }
  bool option1Selected() const override { return view_.option1Selected(); }
  void setLabel4(const Text& caption) override { view_.setCaption(4, caption); }
  void setLabel5(const Text& caption) override { view_.setCaption(5, caption); }

  // State, readable for the adapters and tests.
  const TallyRegister& tally() const { return reg; }
  Integer keyCode() const { return Kc; }
  Integer shiftState() const { return Sh; }

 private:
  void entryKeyDown(int& keyCode, int& shift);
  void entryKeyPress(int& keyAscii);
  void entryChange(int n);
  void end();

  template <typename Handler>
  void guarded(Handler&& handler);

  Form2View& view_;
  TallyRegister reg;
  orindel::SignFlags SignFlags{};
  Integer cm;
  Integer Kc;
  Integer Sh;
  bool ended_ = false;
};

}  // namespace orindel
