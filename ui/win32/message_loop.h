// The program's message loop.
#pragma once

#include <windows.h>

namespace orindel::win32 {

// Runs until the program quits and returns its exit code. Keys meant for moving between the
// window's controls (Tab, Shift+Tab, the arrows in the option group, Enter and Esc on a button)
// go to the dialog manager for `window`; the entry boxes claim Enter and Esc for themselves.
int runMessageLoop(HWND window);

}  // namespace orindel::win32
