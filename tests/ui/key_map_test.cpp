#include "key_map.h"

#include <gtest/gtest.h>

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
