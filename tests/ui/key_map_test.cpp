#include "key_map.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

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
      {"keypad plus", Qt::Key_Plus, keypad, L::Us, 107},
      {"keypad minus", Qt::Key_Minus, keypad, L::Us, 109},
      {"keypad 7", Qt::Key_7, keypad, L::Us, 103},
      {"keypad enter", Qt::Key_Enter, keypad, L::Us, 13},
      {"keypad home (NumLock off)", Qt::Key_Home, keypad, L::Us, 36},
      {"main minus", Qt::Key_Minus, none, L::Us, 189},
      {"main minus with shift (US)", Qt::Key_Underscore, shift, L::Us, 189},
      {"main minus with shift (JP)", Qt::Key_Equal, shift, L::Japanese, 189},
      {"plus key (US)", Qt::Key_Equal, none, L::Us, 187},
      {"plus key with shift (US)", Qt::Key_Plus, shift, L::Us, 187},
      {"plus key (JP)", Qt::Key_Semicolon, none, L::Japanese, 187},
      {"plus key with shift (JP)", Qt::Key_Plus, shift, L::Japanese, 187},
      {"semicolon key (US)", Qt::Key_Semicolon, none, L::Us, 186},
      {"colon key (JP)", Qt::Key_Colon, none, L::Japanese, 186},
      // Every other key that types a sign, each with its own code: none may pass for the plus or
      // minus key, or "1.5" would add or subtract at the ".".
      {"underscore (JP)", Qt::Key_Underscore, shift, L::Japanese, 226},
      {"period", Qt::Key_Period, none, L::Us, 190},
      {"greater", Qt::Key_Greater, shift, L::Us, 190},
      {"comma", Qt::Key_Comma, none, L::Us, 188},
      {"less", Qt::Key_Less, shift, L::Us, 188},
      {"slash", Qt::Key_Slash, none, L::Us, 191},
      {"question", Qt::Key_Question, shift, L::Us, 191},
      {"colon (US)", Qt::Key_Colon, shift, L::Us, 186},
      {"asterisk (JP)", Qt::Key_Asterisk, shift, L::Japanese, 186},
      {"asterisk (US)", Qt::Key_Asterisk, shift, L::Us, '8'},
      {"apostrophe (US)", Qt::Key_Apostrophe, none, L::Us, 222},
      {"apostrophe (JP)", Qt::Key_Apostrophe, shift, L::Japanese, '7'},
      {"double quote (US)", Qt::Key_QuoteDbl, shift, L::Us, 222},
      {"double quote (JP)", Qt::Key_QuoteDbl, shift, L::Japanese, '2'},
      {"bracket left", Qt::Key_BracketLeft, none, L::Us, 219},
      {"brace left", Qt::Key_BraceLeft, shift, L::Us, 219},
      {"bracket right", Qt::Key_BracketRight, none, L::Us, 221},
      {"brace right", Qt::Key_BraceRight, shift, L::Us, 221},
      {"backslash (US)", Qt::Key_Backslash, none, L::Us, 220},
      {"backslash (JP)", Qt::Key_Backslash, none, L::Japanese, 226},
      {"bar", Qt::Key_Bar, shift, L::Us, 220},
      {"yen (JP)", Qt::Key_yen, none, L::Japanese, 220},
      {"backquote", Qt::Key_QuoteLeft, none, L::Us, 192},
      {"at (US)", Qt::Key_At, shift, L::Us, '2'},
      {"at (JP)", Qt::Key_At, none, L::Japanese, 192},
      {"tilde (US)", Qt::Key_AsciiTilde, shift, L::Us, 192},
      {"tilde (JP)", Qt::Key_AsciiTilde, shift, L::Japanese, 222},
      {"circumflex (US)", Qt::Key_AsciiCircum, shift, L::Us, '6'},
      {"circumflex (JP)", Qt::Key_AsciiCircum, none, L::Japanese, 222},
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
      {"o", Qt::Key_O, none, L::Us, 79},
      {"O", Qt::Key_O, shift, L::Us, 79},
      {"digit 5", Qt::Key_5, none, L::Us, 53},
      {"esc", Qt::Key_Escape, none, L::Us, 27},
      {"return", Qt::Key_Return, none, L::Us, 13},
      {"shift", Qt::Key_Shift, shift, L::Us, 16},
      {"control", Qt::Key_Control, none, L::Us, 17},
      {"alt", Qt::Key_Alt, none, L::Us, 18},
      {"no key", 0, none, L::Us, 0},
      {"unknown key", Qt::Key_unknown, none, L::Us, 0},
      {"a key without a code", Qt::Key_Eacute, none, L::Us, 255},
      {"F1", Qt::Key_F1, none, L::Us, 112},
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
      {"KP_Add", 0xffab, Qt::Key_Plus, none, 107},
      {"KP_Add with shift", 0xffab, Qt::Key_Plus, shift, 107},
      {"KP_Subtract", 0xffad, Qt::Key_Minus, none, 109},
      {"KP_Multiply", 0xffaa, Qt::Key_Asterisk, none, 106},
      {"KP_Divide", 0xffaf, Qt::Key_Slash, none, 111},
      {"KP_Decimal", 0xffae, Qt::Key_Period, none, 110},
      {"KP_Separator", 0xffac, Qt::Key_Comma, none, 110},
      {"KP_0", 0xffb0, Qt::Key_0, none, 96},
      {"KP_9", 0xffb9, Qt::Key_9, none, 105},
      {"KP_Enter", 0xff8d, Qt::Key_Enter, none, 13},
      {"KP_Home", 0xff95, Qt::Key_Home, none, 36},
      {"KP_Begin", 0xff9d, Qt::Key_Clear, none, 12},
      {"KP_Page_Down", 0xff9b, Qt::Key_PageDown, none, 34},
      {"KP_Insert", 0xff9e, Qt::Key_Insert, none, 45},
      {"KP_Delete", 0xff9f, Qt::Key_Delete, none, 46},
      {"plus (Shift with the plus key)", 0x2b, Qt::Key_Plus, shift, 187},
      {"equal", 0x3d, Qt::Key_Equal, none, 187},
      {"minus", 0x2d, Qt::Key_Minus, none, 189},
      {"9", 0x39, Qt::Key_9, none, 57},
      {"Return", 0xff0d, Qt::Key_Return, none, 13},
      {"Escape", 0xff1b, Qt::Key_Escape, none, 27},
      {"no keysym, keypad modifier", 0, Qt::Key_Plus, Qt::KeypadModifier, 107},
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
      {"KP_Add on wayland", "wayland", Qt::Key_Plus, Qt::NoModifier, 0xffab, 107, 0},
      {"KP_Add on wayland-egl", "wayland-egl", Qt::Key_Plus, Qt::NoModifier, 0xffab, 107, 0},
      {"KP_Add on xcb", "xcb", Qt::Key_Plus, Qt::NoModifier, 0xffab, 107, 0},
      {"Shift+plus on wayland", "wayland", Qt::Key_Plus, Qt::ShiftModifier, 0x2b, 187, 1},
      {"plus on offscreen", "offscreen", Qt::Key_Plus, Qt::NoModifier, 0xffab, 187, 0},
      {"keypad plus on offscreen", "offscreen", Qt::Key_Plus, Qt::KeypadModifier, 0xffab, 107, 0},
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
      {Qt::Key_Plus, Qt::ShiftModifier, 1},
      {Qt::Key_Plus, Qt::ShiftModifier | Qt::ControlModifier, 3},
      {Qt::Key_Plus, Qt::ShiftModifier | Qt::KeypadModifier, 1},
      {Qt::Key_A, Qt::AltModifier, 4},
      {Qt::Key_Shift, Qt::NoModifier, 1},
      {Qt::Key_Control, Qt::NoModifier, 2},
      {Qt::Key_Alt, Qt::NoModifier, 4},
      {Qt::Key_5, Qt::NoModifier, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(shiftBits(c.key, c.modifiers), c.bits) << c.key;
}

}  // namespace
}  // namespace orindel
