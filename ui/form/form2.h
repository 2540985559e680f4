// Form2, the behaviour of Orindel's one window, written once for every toolkit: its procedures,
// the tally register, the panel flag and the key state, and the window's rules that are not
// geometry (its caption, its messages' title, what the total's menu copies, where a box shows its
// text from).
//
// Data flow: a toolkit adapter turns its events into the entry points below (load, click,
// keyDown, keyPress, change). A click on ＋/－, or a sign key typed into an entry box, calls
// check(); check reads the three boxes through the view, parses them into the register's h, m, s
// and calls keisan(); keisan updates the total held here by value, warns, writes the labels and
// calls cle(), which empties the boxes. Every change of a box's text, the program's own included,
// comes back through change() at once, nested inside the assignment: the O key's panel toggle
// relies on that.
//
// The program's short names for its state and procedures, used throughout:
//   cm          the panel flag: 1 while the extended panel (the count and the limits) shows
//   Kc, Sh      the key code and shift bits of the last key-down in an entry box (virtual_keys.h);
//               Kc is kNoKeyPending once a calculation has run
//   Ti          the net count of entries, 0 to 32767
//   h, m, s     the entry about to be applied, parsed from Text1, Text2 and Text3
//   hh, mm, ss  the running total's hours, minutes and seconds; hhh, mmm, sss their display texts
//   se, seg     the operation sign, "+" or "-", that check(seg) passes on to keisan(se)
//   check       reads, validates and parses the three boxes; keisan applies the entry to the total
//   cle         clears the three boxes, puts the focus in Text1 and clears Kc
//   op          the Op button's panel toggle as the O key runs it, dropping the typed letter
// The limit warnings compare the first total field, the hours hh, with 74 and 80, although the
// options' captions speak of minutes: the program's rule, kept on purpose.
#pragma once

#include <exception>
#include <new>
#include <utility>

#include "entry.h"
#include "form2_view.h"
#include "integer.h"
#include "layout.h"
#include "runtime_error.h"
#include "tally_register.h"
#include "tally_window.h"
#include "text.h"
#include "virtual_keys.h"

namespace orindel {

class Form2 : private TallyWindow {
 public:
  // The title of every message box, and the item of the total's context menu.
  static constexpr char16_t kMessageTitle[] = u"Orindel";
  static constexpr char16_t kCopyItem[] = u"コピー";
  // keyCode() after a calculation: no key-down waits for its change event.
  static constexpr int kNoKeyPending = -1;

  explicit Form2(Form2View& view) : view_(view) {}
  Form2(const Form2&) = delete;
  Form2& operator=(const Form2&) = delete;
  ~Form2() override = default;

  // The window's caption, "Orindel Ver,1.6".
  static Text caption();

  // Entry points for the toolkit, one per window event. None lets an exception out: a runtime
  // error raised in a handler, or any other failure, is reported in a message and the entry point
  // returns normally, with whatever was already done kept.
  void load();
  // A click on Command1, Command2 or Command3.
  void click(Control button);
  // A key going down in an entry box; false when it ended the program and the keystroke goes no
  // further.
  bool keyDown(Control box, int keyCode, int shift);
  // The character a key types in an entry box; returns the character to type, 0 to drop the
  // keystroke.
  int keyPress(Control box, int keyAscii);
  void change(Control box);
  // An entry box losing the focus: to another control of this window, or elsewhere (a menu, a
  // message box, another program).
  void focusLeaves(Control box, bool toAnotherControl);

  // Runs an adapter's own handling of a toolkit event under the same guard as the entry points.
  template <typename Handler>
  void guard(Handler&& handler) noexcept;

  // What the total's "コピー" puts on the clipboard: the total without its blanks, " 1: 23: 30" as
  // "1:23:30".
  Text copiedTotal() const;

  // The text of a runtime error's report: what happened and what the user can do about it.
  static Text runtimeErrorText(const RuntimeError& error);

  // State, readable for the adapters and tests.
  const TallyRegister& tally() const { return reg; }
  Integer panelFlag() const override { return cm; }
  Integer keyCode() const { return Kc; }
  Integer shiftState() const { return Sh; }

 private:
  // The window's procedures, reached only through the entry points above.
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
  Text entryText(int box) const override { return view_.boxText(entryBox(box)); }
  void cle() override;
  void showMessage(const Text& prompt) override { view_.message(prompt); }
  bool option1Selected() const override { return view_.isSelected(Option1); }
  void setLabel4(const Text& caption) override { view_.setCaption(Label4, caption); }
  void setLabel5(const Text& caption) override { view_.setCaption(Label5, caption); }

  void entryKeyDown(int& keyCode, int& shift);
  // A procedure of the window like its siblings, though it reads none of the window's state.
  void entryKeyPress(int& keyAscii);
  void entryChange(int n);
  void end();
  // Shows a report of a failure; a failure to show it is dropped, as there is no one left to tell.
  void report(const RuntimeError& error) noexcept;
  void report(const char16_t* text) noexcept;

  // Entry box n (1 to 3) as a control, and back; 0 for a control that is no entry box.
  static Control entryBox(int n) { return static_cast<Control>(Text1 + n - 1); }
  static int entryNumber(Control box) { return box >= Text1 && box <= Text3 ? box - Text1 + 1 : 0; }

  Form2View& view_;
  TallyRegister reg;
  orindel::SignFlags SignFlags{};
  Integer cm;
  Integer Kc;
  Integer Sh;
  bool ended_ = false;
};

template <typename Handler>
void Form2::guard(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const RuntimeError& error) {
    report(error);
  } catch (const std::bad_alloc&) {
    report(u"メモリが足りないため、この操作を最後まで行えませんでした。");
  } catch (...) {
    report(u"予期しないエラーのため、この操作を最後まで行えませんでした。");
  }
}

}  // namespace orindel
