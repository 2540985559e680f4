// Maps Qt key events onto the Windows virtual-key codes and shift bits the entry boxes act on.
#pragma once

#include <Qt>

class QKeyEvent;

namespace orindel {

// A key-down as the entry boxes see it.
struct KeyDown {
  int code = 0;   // Windows virtual-key code; 0 for an event that carries no key
  int shift = 0;  // bits: 1 Shift, 2 Ctrl, 4 Alt
};

enum class KeyboardLayout { Us, Japanese };

// The virtual-key code for a Qt key and its modifiers where the platform gives no native one.
// Keys that only the layout tells apart (";" is the plus key on a Japanese layout) use `layout`.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, KeyboardLayout layout);

// The shift bits of a key event; a modifier key reports its own bit while it goes down.
int shiftBits(int qtKey, Qt::KeyboardModifiers modifiers);

// The key-down of an event: the native virtual key on Windows, the mapping above elsewhere.
KeyDown keyDownOf(const QKeyEvent& event);

// The character code a key-press would carry: 13 for Enter, the first character's code for a key
// that types text, -1 for a key that types nothing.
int characterCodeOf(const QKeyEvent& event);

// The layout the program assumes for keys that only the layout tells apart.
KeyboardLayout currentKeyboardLayout();

}  // namespace orindel
