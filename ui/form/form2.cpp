#include "form2.h"

#include "conversion.h"

namespace orindel {

template <typename Handler>
void Form2::guarded(Handler&& handler) {
  try {
    handler();
  } catch (const RuntimeError& error) {
    view_.message(runtimeErrorText(error));
  }
}

void Form2::load() {
  guarded([this] { Form_Load(); });
}

void Form2::click(int command) {
  guarded([&] {
    if (command == 1) Command1_Click();
    if (command == 2) Command2_Click();
    if (command == 3) Command3_Click();
  });
}

bool Form2::keyDown(int n, int keyCode, int shift) {
  ended_ = false;
  guarded([&] {
    if (n == 1) Text1_KeyDown(keyCode, shift);
    if (n == 2) Text2_KeyDown(keyCode, shift);
    if (n == 3) Text3_KeyDown(keyCode, shift);
  });
  return !ended_;
}

int Form2::keyPress(int n, int keyAscii) {
  guarded([&] {
    if (n == 1) Text1_KeyPress(keyAscii);
    if (n == 2) Text2_KeyPress(keyAscii);
    if (n == 3) Text3_KeyPress(keyAscii);
  });
  return keyAscii;
}

void Form2::change(int n) {
  guarded([&] {
    if (n == 1) Text1_Change();
    if (n == 2) Text2_Change();
    if (n == 3) Text3_Change();
  });
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
  view_.setOuterWidth(kNarrowOuterWidth);
  initialiseRegister(reg, *this);
}

void Form2::Command1_Click() { check(u"+"); }
void Form2::Command2_Click() { check(u"-"); }

void Form2::Command3_Click() {
  if (cm == 0) {
    view_.setOuterWidth(kWideOuterWidth);
    cm = Integer(1);
    view_.setLabelVisible(5, true);
    view_.setLabelVisible(6, true);
  } else {
    view_.setOuterWidth(kNarrowOuterWidth);
    cm = Integer(0);
    view_.setLabelVisible(5, false);
    view_.setLabelVisible(6, false);
  }
  view_.focusText1();
}

void Form2::op(int ch) {
  Command3_Click();
  if (ch < 1 || ch > 3) return;
  const Text text = view_.boxText(ch);
  if (text.empty()) raiseInvalidArgument();  // no last character to drop
  if (Kc == 79 && text.size() > 1) {
    // Dropping one character would raise this box's change event with Kc still 79, which calls op
    // again: one more toggle and one more character, until the box is empty. Do that whole chain
    // here, its toggles counted by their parity, so that a pasted text of any length takes neither
    // stack nor time in proportion to its length. Every toggle ends with the focus in Text1.
    if ((text.size() - 1) % 2 != 0) Command3_Click();
    view_.setBoxText(ch, Text());
    return;
  }
  view_.setBoxText(ch, text.substr(0, text.size() - 1));
}

void Form2::check(const Text& seg) { orindel::check(reg, SignFlags, *this, seg); }

void Form2::cle() {
  view_.setBoxText(1, Text());
  view_.setBoxText(2, Text());
  view_.setBoxText(3, Text());
  view_.focusText1();
  Kc = Integer(-1);
}

void Form2::entryKeyDown(int& keyCode, int& shift) {
  Kc = Integer(keyCode);
  Sh = Integer(shift);
  if (Kc == 0) check(u"+");
  if (Kc == 27) end();
}

void Form2::entryKeyPress(int& keyAscii) {
  if (keyAscii == 13) keyAscii = 0;
}

void Form2::entryChange(int n) {
  if (view_.boxText(n).empty()) return;
  if (Kc == -1) return;
  if (Kc == 79) op(n);
  if (Kc == 107) check(u"+");
  if (Kc == 189 || Kc == 109) check(u"-");
  if (Sh == 1 && Kc == 187) check(u"+");
}

void Form2::end() {
  ended_ = true;
  view_.end();
}

}  // namespace orindel
