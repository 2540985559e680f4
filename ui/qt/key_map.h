// Maps Qt key events onto the Windows virtual-key codes and shift bits the entry boxes act on.
#pragma once

#include <QStringView>
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

// The virtual-key code of a key whose native virtual key is its X keysym: the keypad's keys by the
// keysym, whatever the modifiers say, every other key as virtualKeyCode maps it.
int virtualKeyCodeOfKeysym(quint32 keysym, int qtKey, Qt::KeyboardModifiers modifiers,
                           KeyboardLayout layout);

// Whether a Qt platform hands over X keysyms as native virtual keys: "xcb" and "wayland*" do.
bool platformGivesKeysyms(QStringView platformName);

// The shift bits of a key event; a modifier key reports its own bit while it goes down.
int shiftBits(int qtKey, Qt::KeyboardModifiers modifiers);

// The key-down of an event on the running platform: the keysym mapping on X11 and Wayland, the Qt
// key and modifiers elsewhere.
KeyDown keyDownOf(const QKeyEvent& event);
// The same for the Qt platform of the given name.
KeyDown keyDownOf(const QKeyEvent& event, QStringView platformName);

// The character code a key-press would carry: 13 for Enter, the first character's code for a key
// that types text, -1 for a key that types nothing.
int characterCodeOf(const QKeyEvent& event);

// The layout the program assumes for keys that only the layout tells apart.
KeyboardLayout currentKeyboardLayout();

}  // namespace orindel
