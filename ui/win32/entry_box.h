// The entry boxes: single-line EDIT controls whose keystrokes reach the window's key handlers
// before the control acts on them.
#pragma once

#include <windows.h>

namespace orindel::win32 {

// Where an entry box's keystrokes go; n is the box's number, 1 to 3.
class EntryKeys {
 public:
  // A key going down; false when the keystroke must go no further.
  virtual bool entryKeyDown(int n, int keyCode, int shift) = 0;
  // A typed character; returns the character to type, 0 to drop it.
  virtual int entryKeyPress(int n, int character) = 0;

 protected:
  ~EntryKeys() = default;
};

// The shift state of the key being handled: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState();

// Makes `edit` entry box n: no length limit, no input method, and its keys through `keys`.
void makeEntryBox(HWND edit, int n, EntryKeys& keys);

}  // namespace orindel::win32
