#include "key_map.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLocale>

namespace orindel {

namespace {

// Windows virtual-key codes used below.
constexpr int kNoKey = 0;
constexpr int kUnmapped = 255;      // keys without a virtual-key code of their own
constexpr int kOemSemicolon = 186;  // VK_OEM_1: ";:" on US, ":*" on Japanese
constexpr int kOemPlus = 187;       // "=+" on US, ";+" on Japanese
constexpr int kOemComma = 188;
constexpr int kOemMinus = 189;  // "-_" on US, "-=" on Japanese
constexpr int kOemPeriod = 190;
constexpr int kOemSlash = 191;
constexpr int kOemBackquote = 192;  // "`~" on US, "@`" on Japanese
constexpr int kOemOpenBracket = 219;
constexpr int kOemBackslash = 220;
constexpr int kOemCloseBracket = 221;
constexpr int kOemQuote = 222;  // "'\"" on US, "^~" on Japanese
constexpr int kOem102 = 226;    // "\\_" on Japanese

int keypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return -1;  // the same code as the main key
  }
}

// The keypad's keysyms (X11 keysymdef.h), with NumLock on and off. Qt's Wayland platform sends
// these keys without Qt::KeypadModifier, so the keysym is what tells them from the main keys.
int keypadKeysymCode(quint32 keysym) {
  if (keysym >= 0xffb0 && keysym <= 0xffb9) return 96 + static_cast<int>(keysym - 0xffb0);
  switch (keysym) {
    case 0xff8d: return 13;   // KP_Enter
    case 0xff95: return 36;   // KP_Home
    case 0xff96: return 37;   // KP_Left
    case 0xff97: return 38;   // KP_Up
    case 0xff98: return 39;   // KP_Right
    case 0xff99: return 40;   // KP_Down
    case 0xff9a: return 33;   // KP_Prior
    case 0xff9b: return 34;   // KP_Next
    case 0xff9c: return 35;   // KP_End
    case 0xff9d: return 12;   // KP_Begin, the 5 without NumLock
    case 0xff9e: return 45;   // KP_Insert
    case 0xff9f: return 46;   // KP_Delete
    case 0xffaa: return 106;  // KP_Multiply
    case 0xffab: return 107;  // KP_Add
    case 0xffac:              // KP_Separator, the decimal key of layouts with a decimal comma
    case 0xffae: return 110;  // KP_Decimal
    case 0xffad: return 109;  // KP_Subtract
    case 0xffaf: return 111;  // KP_Divide
    default: return -1;
  }
}

int controlCode(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Henkan: return 28;
    case Qt::Key_Muhenkan: return 29;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Hiragana_Katakana: return 242;
    case Qt::Key_Zenkaku_Hankaku: return 244;
    default: return -1;
  }
}

// Printable keys: the code of the key that types the symbol on the given layout.
int symbolCode(int key, bool shifted, KeyboardLayout layout) {
  const bool jp = layout == KeyboardLayout::Japanese;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;  // '0'..'9' are 48..57
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // 'A'..'Z' are 65..90
  switch (key) {
    // Shift with the plus key types "+" on both layouts.
    case Qt::Key_Plus: return kOemPlus;
    // "=" is the plus key unshifted on US, and Shift with the minus key on Japanese.
    case Qt::Key_Equal: return shifted ? kOemMinus : kOemPlus;
    case Qt::Key_Minus: return kOemMinus;
    // "_" is Shift with the minus key on US, but Shift with the "\" key by the right Shift on
    // Japanese, a key that runs nothing.
    case Qt::Key_Underscore: return jp ? kOem102 : kOemMinus;
    case Qt::Key_Semicolon: return jp ? kOemPlus : kOemSemicolon;
    case Qt::Key_Colon: return kOemSemicolon;
    case Qt::Key_Comma:
    case Qt::Key_Less: return kOemComma;
    case Qt::Key_Period:
    case Qt::Key_Greater: return kOemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question: return kOemSlash;
    case Qt::Key_QuoteLeft: return kOemBackquote;
    case Qt::Key_At: return jp ? kOemBackquote : '2';
    case Qt::Key_AsciiTilde: return jp ? kOemQuote : kOemBackquote;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return kOemOpenBracket;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return kOemCloseBracket;
    case Qt::Key_Backslash: return jp ? kOem102 : kOemBackslash;
    case Qt::Key_Bar:
    case Qt::Key_yen: return kOemBackslash;
    case Qt::Key_Apostrophe: return jp ? '7' : kOemQuote;
    case Qt::Key_QuoteDbl: return jp ? '2' : kOemQuote;
    case Qt::Key_AsciiCircum: return jp ? kOemQuote : '6';
    case Qt::Key_Asterisk: return jp ? kOemSemicolon : '8';
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
  if (qtKey == 0 || qtKey == Qt::Key_unknown) return kNoKey;
  if (modifiers & Qt::KeypadModifier) {
    if (const int code = keypadCode(qtKey); code >= 0) return code;
  }
  if (const int code = controlCode(qtKey); code >= 0) return code;
  if (const int code = symbolCode(qtKey, modifiers & Qt::ShiftModifier, layout); code >= 0) {
    return code;
  }
  return kUnmapped;
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
  if ((modifiers & Qt::ShiftModifier) || qtKey == Qt::Key_Shift) bits |= 1;
  if ((modifiers & Qt::ControlModifier) || qtKey == Qt::Key_Control) bits |= 2;
  if ((modifiers & Qt::AltModifier) || qtKey == Qt::Key_Alt) bits |= 4;
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
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 13;
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
