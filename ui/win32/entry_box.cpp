#include "entry_box.h"

#include <commctrl.h>
#include <imm.h>

namespace orindel::win32 {

namespace {

LRESULT CALLBACK entryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR keys) {
  auto& target = *reinterpret_cast<EntryKeys*>(keys);
  const auto box = static_cast<Control>(id);
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter and Esc belong to the box's key handlers (Enter is dropped, Esc quits), not to the
      // dialog manager, which would take them for the default and cancel buttons.
      LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
          (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!target.entryKeyDown(box, static_cast<int>(wParam), shiftState())) return 0;
      break;
    case WM_CHAR: {
      const int character = target.entryKeyPress(box, static_cast<int>(wParam));
      if (character == 0) return 0;
      wParam = static_cast<WPARAM>(character);
      break;
    }
    case WM_KILLFOCUS: {
      // wParam is the window taking the focus, if any: a control of this window, or a message
      // box, a menu or another program's window.
      const auto next = reinterpret_cast<HWND>(wParam);
      const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      target.entryFocusLeaves(box, next && IsChild(GetParent(edit), next));
      return result;
    }
    case WM_NCDESTROY: RemoveWindowSubclass(edit, entryProc, id); break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

int shiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

void makeEntryBox(HWND edit, Control box, EntryKeys& keys) {
  // The largest limit a single-line edit takes: in effect none.
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  // Only half-width digits and signs count as an entry: keep an active input method from turning
  // them into full-width ones.
  ImmAssociateContextEx(edit, nullptr, 0);
  SetWindowSubclass(edit, entryProc, static_cast<UINT_PTR>(box),
                    reinterpret_cast<DWORD_PTR>(&keys));
}

}  // namespace orindel::win32
