#include "form2.h"

#include <string>

#include "conversion.h"
#include "orindel_version.h"

namespace orindel {

Text Form2::caption() {
  constexpr char kCaption[] = ORINDEL_CAPTION;
  return {std::begin(kCaption), std::end(kCaption) - 1};
}

void Form2::load() {
  guard([this] { Form_Load(); });
}

void Form2::click(Control button) {
  guard([&] {
    if (button == Command1) Command1_Click();
    if (button == Command2) Command2_Click();
    if (button == Command3) Command3_Click();
  });
}

bool Form2::keyDown(Control box, int keyCode, int shift) {
  ended_ = false;
  guard([&] {
    if (box == Text1) Text1_KeyDown(keyCode, shift);
    if (box == Text2) Text2_KeyDown(keyCode, shift);
    if (box == Text3) Text3_KeyDown(keyCode, shift);
  });
  return !ended_;
}

int Form2::keyPress(Control box, int keyAscii) {
  guard([&] {
    if (box == Text1) Text1_KeyPress(keyAscii);
    if (box == Text2) Text2_KeyPress(keyAscii);
    if (box == Text3) Text3_KeyPress(keyAscii);
  });
  return keyAscii;
}

void Form2::change(Control box) {
  guard([&] {
    if (box == Text1) Text1_Change();
    if (box == Text2) Text2_Change();
    if (box == Text3) Text3_Change();
  });
}

void Form2::focusLeaves(Control box, bool toAnotherControl) {
  // Moving on to another control shows the start of the text, so that no digit is left half cut
  // off. A menu, a message box or another program taking the focus leaves the caret where the user
  // put it, so that a paste or the next digit lands there.
  guard([&] {
    if (toAnotherControl && entryNumber(box) != 0) view_.showTextStart(box);
  });
}

Text Form2::copiedTotal() const {
  Text total = totalText(reg);
  std::erase(total, u' ');
  return total;
}

void Form2::report(const RuntimeError& error) noexcept {
  try {
    view_.message(runtimeErrorText(error));
  } catch (...) {
    // Dropped: the report could not be shown, and there is no one left to tell.
  }
}

void Form2::report(const char16_t* text) noexcept {
  try {
    view_.message(text);
  } catch (...) {
    // Dropped: the report could not be shown, and there is no one left to tell.
  }
}

Text Form2::runtimeErrorText(const RuntimeError& error) {
  static constexpr const char16_t* kUnits[] = {u"", u"ｈ", u"ｍ", u"ｓ"};
  const bool overflow = error.number() == RuntimeError::kOverflow;
  const int box = error.box() >= 1 && error.box() <= 3 ? error.box() : 0;
  Text what;
  if (error.subject() == RuntimeError::Subject::Count && overflow) {
    what = u"回数が上限（32767）に達したため、これ以上加算できません。\n減算はできます。";
  } else if (error.subject() == RuntimeError::Subject::EntryBox && box != 0 && overflow) {
    what = Text(kUnits[box]) +
           u" の値が範囲（-32768～32767）の外です。\n範囲内の数を入力してください。";
  } else if (error.subject() == RuntimeError::Subject::EntryBox && box != 0) {
    what = Text(kUnits[box]) + u" に符号しか入力されていません。\n数字を入力してください。";
  } else {
    what = overflow ? u"数値が大きすぎます。" : u"引数が不正です。";
  }
  // The number stays in the text for reference.
  return what + u"\n（実行時エラー " + plainText(Integer(error.number())) + u"）";
}

void Form2::Form_Load() {
  view_.setOuterWidth(kNarrowOuterTwips);
  initialiseRegister(reg, *this);
}

void Form2::Command1_Click() { check(u"+"); }
void Form2::Command2_Click() { check(u"-"); }

void Form2::Command3_Click() {
  if (cm == 0) {
    view_.setOuterWidth(kWideOuterTwips);
    cm = Integer(1);
    view_.setLabelVisible(Label5, true);
    view_.setLabelVisible(Label6, true);
  } else {
    view_.setOuterWidth(kNarrowOuterTwips);
    cm = Integer(0);
    view_.setLabelVisible(Label5, false);
    view_.setLabelVisible(Label6, false);
  }
  view_.focus(Text1);
}

void Form2::op(int ch) {
  Command3_Click();
  if (ch < 1 || ch > 3) return;
  const Control box = entryBox(ch);
  const Text text = view_.boxText(box);
  if (text.empty()) raiseInvalidArgument();  // no last character to drop
  if (Kc == kVkO && text.size() > 1) {
    // Dropping one character would raise this box's change event with Kc still the O key, which
    // calls op again: one more toggle and one more character, until the box is empty. Do that whole
    // chain here, its toggles counted by their parity, so that a pasted text of any length takes
    // neither stack nor time in proportion to its length. Every toggle ends with the focus in
    // Text1.
    if ((text.size() - 1) % 2 != 0) Command3_Click();
    view_.setBoxText(box, Text());
    return;
  }
  view_.setBoxText(box, text.substr(0, text.size() - 1));
}

void Form2::check(const Text& seg) { orindel::check(reg, SignFlags, *this, seg); }

void Form2::cle() {
  view_.setBoxText(Text1, Text());
  view_.setBoxText(Text2, Text());
  view_.setBoxText(Text3, Text());
  view_.focus(Text1);
  Kc = Integer(kNoKeyPending);
}

void Form2::entryKeyDown(int& keyCode, int& shift) {
  Kc = Integer(keyCode);
  Sh = Integer(shift);
  // A key-down that names no key applies the entry as an addition at once, on the boxes as they
  // are. It reads like a slip but is the program's rule, kept on purpose: a toolkit sends such an
  // event only for a key it cannot name, and the form tests hold the rule.
  if (Kc == kVkNone) check(u"+");
  if (Kc == kVkEscape) end();
}

// NOLINTNEXTLINE(readability-convert-member-functions-to-static): a procedure like its siblings
void Form2::entryKeyPress(int& keyAscii) {
  if (keyAscii == kEnterCharacter) keyAscii = 0;
}

void Form2::entryChange(int n) {
  if (view_.boxText(entryBox(n)).empty()) return;
  if (Kc == kNoKeyPending) return;
  if (Kc == kVkO) op(n);
  if (Kc == kVkAdd) check(u"+");
  if (Kc == kVkOemMinus || Kc == kVkSubtract) check(u"-");
  // Shift alone: the main plus key types "+" only with Shift, and Ctrl or Alt with it type none.
  if (Sh == kShiftBit && Kc == kVkOemPlus) check(u"+");
}

void Form2::end() {
  ended_ = true;
  view_.end();
}

}  // namespace orindel
