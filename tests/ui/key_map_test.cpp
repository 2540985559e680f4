#include "key_map.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "virtual_keys.h"

namespace orindel {
namespace {

TEST(KeyMapTest, keys_map_to_their_virtual_key_codes) {
  using L = KeyboardLayout;
  const auto none = Qt::NoModifier;
  const auto shift = Qt::ShiftModifier;
  const auto keypad = Qt::KeypadModifier;
  struct Case {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    L layout;
    int code;
  } cases[] = {
      {"keypad plus", Qt::Key_Plus, keypad, L::Us, kVkAdd},
      {"keypad minus", Qt::Key_Minus, keypad, L::Us, kVkSubtract},
      {"keypad 7", Qt::Key_7, keypad, L::Us, kVkNumpad0 + 7},
      {"keypad enter", Qt::Key_Enter, keypad, L::Us, kVkReturn},
      {"keypad home (NumLock off)", Qt::Key_Home, keypad, L::Us, kVkHome},
      {"main minus", Qt::Key_Minus, none, L::Us, kVkOemMinus},
      {"main minus with shift (US)", Qt::Key_Underscore, shift, L::Us, kVkOemMinus},
      {"main minus with shift (JP)", Qt::Key_Equal, shift, L::Japanese, kVkOemMinus},
      {"plus key (US)", Qt::Key_Equal, none, L::Us, kVkOemPlus},
      {"plus key with shift (US)", Qt::Key_Plus, shift, L::Us, kVkOemPlus},
      {"plus key (JP)", Qt::Key_Semicolon, none, L::Japanese, kVkOemPlus},
      {"plus key with shift (JP)", Qt::Key_Plus, shift, L::Japanese, kVkOemPlus},
      {"semicolon key (US)", Qt::Key_Semicolon, none, L::Us, kVkOem1},
      {"colon key (JP)", Qt::Key_Colon, none, L::Japanese, kVkOem1},
      // Every other key that types a sign, each with its own code: none may pass for the plus or
      // minus key, or "1.5" would add or subtract at the ".".
      {"underscore (JP)", Qt::Key_Underscore, shift, L::Japanese, kVkOem102},
      {"period", Qt::Key_Period, none, L::Us, kVkOemPeriod},
      {"greater", Qt::Key_Greater, shift, L::Us, kVkOemPeriod},
      {"comma", Qt::Key_Comma, none, L::Us, kVkOemComma},
      {"less", Qt::Key_Less, shift, L::Us, kVkOemComma},
      {"slash", Qt::Key_Slash, none, L::Us, kVkOem2},
      {"question", Qt::Key_Question, shift, L::Us, kVkOem2},
      {"colon (US)", Qt::Key_Colon, shift, L::Us, kVkOem1},
      {"asterisk (JP)", Qt::Key_Asterisk, shift, L::Japanese, kVkOem1},
      {"asterisk (US)", Qt::Key_Asterisk, shift, L::Us, '8'},
      {"apostrophe (US)", Qt::Key_Apostrophe, none, L::Us, kVkOem7},
      {"apostrophe (JP)", Qt::Key_Apostrophe, shift, L::Japanese, '7'},
      {"double quote (US)", Qt::Key_QuoteDbl, shift, L::Us, kVkOem7},
      {"double quote (JP)", Qt::Key_QuoteDbl, shift, L::Japanese, '2'},
      {"bracket left", Qt::Key_BracketLeft, none, L::Us, kVkOem4},
      {"brace left", Qt::Key_BraceLeft, shift, L::Us, kVkOem4},
      {"bracket right", Qt::Key_BracketRight, none, L::Us, kVkOem6},
      {"brace right", Qt::Key_BraceRight, shift, L::Us, kVkOem6},
      {"backslash (US)", Qt::Key_Backslash, none, L::Us, kVkOem5},
      {"backslash (JP)", Qt::Key_Backslash, none, L::Japanese, kVkOem102},
      {"bar", Qt::Key_Bar, shift, L::Us, kVkOem5},
      {"yen (JP)", Qt::Key_yen, none, L::Japanese, kVkOem5},
      {"backquote", Qt::Key_QuoteLeft, none, L::Us, kVkOem3},
      {"at (US)", Qt::Key_At, shift, L::Us, '2'},
      {"at (JP)", Qt::Key_At, none, L::Japanese, kVkOem3},
      {"tilde (US)", Qt::Key_AsciiTilde, shift, L::Us, kVkOem3},
      {"tilde (JP)", Qt::Key_AsciiTilde, shift, L::Japanese, kVkOem7},
      {"circumflex (US)", Qt::Key_AsciiCircum, shift, L::Us, '6'},
      {"circumflex (JP)", Qt::Key_AsciiCircum, none, L::Japanese, kVkOem7},
      {"exclamation", Qt::Key_Exclam, shift, L::Us, '1'},
      {"number sign", Qt::Key_NumberSign, shift, L::Us, '3'},
      {"dollar", Qt::Key_Dollar, shift, L::Us, '4'},
      {"percent", Qt::Key_Percent, shift, L::Us, '5'},
      {"ampersand (US)", Qt::Key_Ampersand, shift, L::Us, '7'},
      {"ampersand (JP)", Qt::Key_Ampersand, shift, L::Japanese, '6'},
      {"parenthesis left (US)", Qt::Key_ParenLeft, shift, L::Us, '9'},
      {"parenthesis left (JP)", Qt::Key_ParenLeft, shift, L::Japanese, '8'},
      {"parenthesis right (US)", Qt::Key_ParenRight, shift, L::Us, '0'},
      {"parenthesis right (JP)", Qt::Key_ParenRight, shift, L::Japanese, '9'},
      {"o", Qt::Key_O, none, L::Us, kVkO},
      {"O", Qt::Key_O, shift, L::Us, kVkO},
      {"digit 5", Qt::Key_5, none, L::Us, '5'},
      {"esc", Qt::Key_Escape, none, L::Us, kVkEscape},
      {"return", Qt::Key_Return, none, L::Us, kVkReturn},
      {"shift", Qt::Key_Shift, shift, L::Us, kVkShift},
      {"control", Qt::Key_Control, none, L::Us, kVkControl},
      {"alt", Qt::Key_Alt, none, L::Us, kVkMenu},
      {"no key", 0, none, L::Us, kVkNone},
      {"unknown key", Qt::Key_unknown, none, L::Us, kVkNone},
      {"a key without a code", Qt::Key_Eacute, none, L::Us, kVkUnmapped},
      {"F1", Qt::Key_F1, none, L::Us, kVkF1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(virtualKeyCode(c.key, c.modifiers, c.layout), c.code) << c.name;
  }
}

// Keypad keys as Wayland sends them, without Qt::KeypadModifier; main keys as both X11 and Wayland
// send them.
TEST(KeyMapTest, keypad_keys_are_told_apart_by_their_keysyms) {
  using L = KeyboardLayout;
  const auto none = Qt::NoModifier;
  const auto shift = Qt::ShiftModifier;
  struct Case {
    const char* name;
    quint32 keysym;
    int key;
    Qt::KeyboardModifiers modifiers;
    int code;
  } cases[] = {
      {"KP_Add", 0xffab, Qt::Key_Plus, none, kVkAdd},
      {"KP_Add with shift", 0xffab, Qt::Key_Plus, shift, kVkAdd},
      {"KP_Subtract", 0xffad, Qt::Key_Minus, none, kVkSubtract},
      {"KP_Multiply", 0xffaa, Qt::Key_Asterisk, none, kVkMultiply},
      {"KP_Divide", 0xffaf, Qt::Key_Slash, none, kVkDivide},
      {"KP_Decimal", 0xffae, Qt::Key_Period, none, kVkDecimal},
      {"KP_Separator", 0xffac, Qt::Key_Comma, none, kVkDecimal},
      {"KP_0", 0xffb0, Qt::Key_0, none, kVkNumpad0},
      {"KP_9", 0xffb9, Qt::Key_9, none, kVkNumpad0 + 9},
      {"KP_Enter", 0xff8d, Qt::Key_Enter, none, kVkReturn},
      {"KP_Home", 0xff95, Qt::Key_Home, none, kVkHome},
      {"KP_Begin", 0xff9d, Qt::Key_Clear, none, kVkClear},
      {"KP_Page_Down", 0xff9b, Qt::Key_PageDown, none, kVkNext},
      {"KP_Insert", 0xff9e, Qt::Key_Insert, none, kVkInsert},
      {"KP_Delete", 0xff9f, Qt::Key_Delete, none, kVkDelete},
      {"plus (Shift with the plus key)", 0x2b, Qt::Key_Plus, shift, kVkOemPlus},
      {"equal", 0x3d, Qt::Key_Equal, none, kVkOemPlus},
      {"minus", 0x2d, Qt::Key_Minus, none, kVkOemMinus},
      {"9", 0x39, Qt::Key_9, none, '9'},
      {"Return", 0xff0d, Qt::Key_Return, none, kVkReturn},
      {"Escape", 0xff1b, Qt::Key_Escape, none, kVkEscape},
      {"no keysym, keypad modifier", 0, Qt::Key_Plus, Qt::KeypadModifier, kVkAdd},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(virtualKeyCodeOfKeysym(c.keysym, c.key, c.modifiers, L::Us), c.code) << c.name;
  }
}

// The keysym is trusted only on the platforms that send one; elsewhere the keypad modifier decides.
TEST(KeyMapTest, key_events_are_read_by_keysym_on_x11_and_wayland_only) {
  struct Case {
    const char* name;
    const char* platform;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 keysym;
    int code;
    int shift;
  } cases[] = {
      {"KP_Add on wayland", "wayland", Qt::Key_Plus, Qt::NoModifier, 0xffab, kVkAdd, 0},
      {"KP_Add on wayland-egl", "wayland-egl", Qt::Key_Plus, Qt::NoModifier, 0xffab, kVkAdd, 0},
      {"KP_Add on xcb", "xcb", Qt::Key_Plus, Qt::NoModifier, 0xffab, kVkAdd, 0},
      {"Shift+plus on wayland", "wayland", Qt::Key_Plus, Qt::ShiftModifier, 0x2b, kVkOemPlus,
       kShiftBit},
      {"plus on offscreen", "offscreen", Qt::Key_Plus, Qt::NoModifier, 0xffab, kVkOemPlus, 0},
      {"keypad plus on offscreen", "offscreen", Qt::Key_Plus, Qt::KeypadModifier, 0xffab, kVkAdd,
       0},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, 0, c.keysym, 0);
    const KeyDown down = keyDownOf(event, QString::fromLatin1(c.platform));
    EXPECT_EQ(down.code, c.code) << c.name;
    EXPECT_EQ(down.shift, c.shift) << c.name;
  }
}

TEST(KeyMapTest, shift_bits_follow_the_modifiers_and_the_modifier_keys_themselves) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int bits;
  } cases[] = {
      {Qt::Key_Plus, Qt::ShiftModifier, kShiftBit},
      {Qt::Key_Plus, Qt::ShiftModifier | Qt::ControlModifier, kShiftBit | kCtrlBit},
      {Qt::Key_Plus, Qt::ShiftModifier | Qt::KeypadModifier, kShiftBit},
      {Qt::Key_A, Qt::AltModifier, kAltBit},
      {Qt::Key_Shift, Qt::NoModifier, kShiftBit},
      {Qt::Key_Control, Qt::NoModifier, kCtrlBit},
      {Qt::Key_Alt, Qt::NoModifier, kAltBit},
      {Qt::Key_5, Qt::NoModifier, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(shiftBits(c.key, c.modifiers), c.bits) << c.key;
}

}  // namespace
}  // namespace orindel
