#include "key_map.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLocale>

#include "virtual_keys.h"

namespace orindel {

namespace {

int keypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return kVkNumpad0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk: return kVkMultiply;
    case Qt::Key_Plus: return kVkAdd;
    case Qt::Key_Minus: return kVkSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return kVkDecimal;
    case Qt::Key_Slash: return kVkDivide;
    default: return -1;  // the same code as the main key
  }
}

// The keypad's keysyms (X11 keysymdef.h), with NumLock on and off. Qt's Wayland platform sends
// these keys without Qt::KeypadModifier, so the keysym is what tells them from the main keys.
int keypadKeysymCode(quint32 keysym) {
  if (keysym >= 0xffb0 && keysym <= 0xffb9) return kVkNumpad0 + static_cast<int>(keysym - 0xffb0);
  switch (keysym) {
    case 0xff8d: return kVkReturn;    // KP_Enter
    case 0xff95: return kVkHome;      // KP_Home
    case 0xff96: return kVkLeft;      // KP_Left
    case 0xff97: return kVkUp;        // KP_Up
    case 0xff98: return kVkRight;     // KP_Right
    case 0xff99: return kVkDown;      // KP_Down
    case 0xff9a: return kVkPrior;     // KP_Prior
    case 0xff9b: return kVkNext;      // KP_Next
    case 0xff9c: return kVkEnd;       // KP_End
    case 0xff9d: return kVkClear;     // KP_Begin, the 5 without NumLock
    case 0xff9e: return kVkInsert;    // KP_Insert
    case 0xff9f: return kVkDelete;    // KP_Delete
    case 0xffaa: return kVkMultiply;  // KP_Multiply
    case 0xffab: return kVkAdd;       // KP_Add
    case 0xffac:  // KP_Separator, the decimal key of layouts with a decimal comma
    case 0xffae: return kVkDecimal;   // KP_Decimal
    case 0xffad: return kVkSubtract;  // KP_Subtract
    case 0xffaf: return kVkDivide;    // KP_Divide
    default: return -1;
  }
}

int controlCode(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kVkF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Clear: return kVkClear;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Shift: return kVkShift;
    case Qt::Key_Control: return kVkControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return kVkMenu;
    case Qt::Key_Pause: return kVkPause;
    case Qt::Key_CapsLock: return kVkCapital;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Henkan: return kVkConvert;
    case Qt::Key_Muhenkan: return kVkNonConvert;
    case Qt::Key_Space: return kVkSpace;
    case Qt::Key_PageUp: return kVkPrior;
    case Qt::Key_PageDown: return kVkNext;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Print: return kVkSnapshot;
    case Qt::Key_Insert: return kVkInsert;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return kVkLWin;
    case Qt::Key_Super_R: return kVkRWin;
    case Qt::Key_Menu: return kVkApps;
    case Qt::Key_NumLock: return kVkNumLock;
    case Qt::Key_ScrollLock: return kVkScroll;
    case Qt::Key_Hiragana_Katakana: return kVkOemCopy;
    case Qt::Key_Zenkaku_Hankaku: return kVkOemEnlw;
    default: return -1;
  }
}

// Printable keys: the code of the key that types the symbol on the given layout. One flat table,
// whose choices between the layouts a complexity count takes for nested branches.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
int symbolCode(int key, bool shifted, KeyboardLayout layout) {
  const bool jp = layout == KeyboardLayout::Japanese;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return kVk0 + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return kVkA + (key - Qt::Key_A);
  switch (key) {
    // Shift with the plus key types "+" on both layouts.
    case Qt::Key_Plus: return kVkOemPlus;
    // "=" is the plus key unshifted on US, and Shift with the minus key on Japanese.
    case Qt::Key_Equal: return shifted ? kVkOemMinus : kVkOemPlus;
    case Qt::Key_Minus: return kVkOemMinus;
    // "_" is Shift with the minus key on US, but Shift with the "\" key by the right Shift on
    // Japanese, a key that runs nothing.
    case Qt::Key_Underscore: return jp ? kVkOem102 : kVkOemMinus;
    case Qt::Key_Semicolon: return jp ? kVkOemPlus : kVkOem1;
    case Qt::Key_Colon: return kVkOem1;
    case Qt::Key_Comma:
    case Qt::Key_Less: return kVkOemComma;
    case Qt::Key_Period:
    case Qt::Key_Greater: return kVkOemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question: return kVkOem2;
    case Qt::Key_QuoteLeft: return kVkOem3;
    case Qt::Key_At: return jp ? kVkOem3 : '2';
    case Qt::Key_AsciiTilde: return jp ? kVkOem7 : kVkOem3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return kVkOem4;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return kVkOem6;
    case Qt::Key_Backslash: return jp ? kVkOem102 : kVkOem5;
    case Qt::Key_Bar:
    case Qt::Key_yen: return kVkOem5;
    case Qt::Key_Apostrophe: return jp ? '7' : kVkOem7;
    case Qt::Key_QuoteDbl: return jp ? '2' : kVkOem7;
    case Qt::Key_AsciiCircum: return jp ? kVkOem7 : '6';
    case Qt::Key_Asterisk: return jp ? kVkOem1 : '8';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_Ampersand: return jp ? '6' : '7';
    case Qt::Key_ParenLeft: return jp ? '8' : '9';
    case Qt::Key_ParenRight: return jp ? '9' : '0';
    default: return -1;
  }
}

}  // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, KeyboardLayout layout) {
  if (qtKey == 0 || qtKey == Qt::Key_unknown) return kVkNone;
  if (modifiers & Qt::KeypadModifier) {
    if (const int code = keypadCode(qtKey); code >= 0) return code;
  }
  if (const int code = controlCode(qtKey); code >= 0) return code;
  if (const int code = symbolCode(qtKey, modifiers & Qt::ShiftModifier, layout); code >= 0) {
    return code;
  }
  return kVkUnmapped;
}

int virtualKeyCodeOfKeysym(quint32 keysym, int qtKey, Qt::KeyboardModifiers modifiers,
                           KeyboardLayout layout) {
  if (const int code = keypadKeysymCode(keysym); code >= 0) return code;
  return virtualKeyCode(qtKey, modifiers, layout);
}

bool platformGivesKeysyms(QStringView platformName) {
  return platformName == u"xcb" || platformName.startsWith(u"wayland");
}

int shiftBits(int qtKey, Qt::KeyboardModifiers modifiers) {
  int bits = 0;
  if ((modifiers & Qt::ShiftModifier) || qtKey == Qt::Key_Shift) bits |= kShiftBit;
  if ((modifiers & Qt::ControlModifier) || qtKey == Qt::Key_Control) bits |= kCtrlBit;
  if ((modifiers & Qt::AltModifier) || qtKey == Qt::Key_Alt) bits |= kAltBit;
  return bits;
}

KeyDown keyDownOf(const QKeyEvent& event) {
  return keyDownOf(event, QGuiApplication::platformName());
}

KeyDown keyDownOf(const QKeyEvent& event, QStringView platformName) {
  KeyDown down;
  down.shift = shiftBits(event.key(), event.modifiers());
  const KeyboardLayout layout = currentKeyboardLayout();
  down.code =
      platformGivesKeysyms(platformName)
          ? virtualKeyCodeOfKeysym(event.nativeVirtualKey(), event.key(), event.modifiers(), layout)
          : virtualKeyCode(event.key(), event.modifiers(), layout);
  return down;
}

int characterCodeOf(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kEnterCharacter;
  const QString text = event.text();
  if (text.isEmpty()) return -1;
  return text.at(0).unicode();
}

KeyboardLayout currentKeyboardLayout() {
  const QInputMethod* method = QGuiApplication::inputMethod();
  const QLocale locale = method ? method->locale() : QLocale();
  return locale.language() == QLocale::Japanese ? KeyboardLayout::Japanese : KeyboardLayout::Us;
}

}  // namespace orindel
