// The entry boxes: single-line EDIT controls whose keystrokes reach the window's key handlers
// before the control acts on them.
#pragma once

#include <windows.h>

#include "layout.h"

namespace orindel::win32 {

// Where an entry box's keystrokes and focus changes go.
class EntryKeys {
 public:
  // A key going down; false when the keystroke must go no further.
  virtual bool entryKeyDown(Control box, int keyCode, int shift) = 0;
  // A typed character; returns the character to type, 0 to drop it.
  virtual int entryKeyPress(Control box, int character) = 0;
  // The box losing the focus: to another control of its window, or elsewhere.
  virtual void entryFocusLeaves(Control box, bool toAnotherControl) = 0;

 protected:
  ~EntryKeys() = default;
};

// The shift state of the key being handled: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState();

// Makes `edit` the entry box `box`: no length limit, no input method, and its keys through `keys`.
void makeEntryBox(HWND edit, Control box, EntryKeys& keys);

}  // namespace orindel::win32
