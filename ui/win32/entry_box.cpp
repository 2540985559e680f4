#include "entry_box.h"

#include <imm.h>

#include "virtual_keys.h"

namespace orindel::win32 {

namespace {

// The key codes Form2 and the Qt key map speak are the very codes this window receives.
static_assert(kVkBack == VK_BACK && kVkTab == VK_TAB && kVkClear == VK_CLEAR &&
              kVkReturn == VK_RETURN && kVkShift == VK_SHIFT && kVkControl == VK_CONTROL &&
              kVkMenu == VK_MENU && kVkPause == VK_PAUSE && kVkCapital == VK_CAPITAL &&
              kVkEscape == VK_ESCAPE && kVkConvert == VK_CONVERT &&
              kVkNonConvert == VK_NONCONVERT && kVkSpace == VK_SPACE);
static_assert(kVkPrior == VK_PRIOR && kVkNext == VK_NEXT && kVkEnd == VK_END &&
              kVkHome == VK_HOME && kVkLeft == VK_LEFT && kVkUp == VK_UP && kVkRight == VK_RIGHT &&
              kVkDown == VK_DOWN && kVkSnapshot == VK_SNAPSHOT && kVkInsert == VK_INSERT &&
              kVkDelete == VK_DELETE && kVkLWin == VK_LWIN && kVkRWin == VK_RWIN &&
              kVkApps == VK_APPS);
static_assert(kVkNumpad0 == VK_NUMPAD0 && kVkNumpad0 + 9 == VK_NUMPAD9 &&
              kVkMultiply == VK_MULTIPLY && kVkAdd == VK_ADD && kVkSubtract == VK_SUBTRACT &&
              kVkDecimal == VK_DECIMAL && kVkDivide == VK_DIVIDE && kVkF1 == VK_F1 &&
              kVkF1 + 23 == VK_F24 && kVkNumLock == VK_NUMLOCK && kVkScroll == VK_SCROLL);
static_assert(kVkOem1 == VK_OEM_1 && kVkOemPlus == VK_OEM_PLUS && kVkOemComma == VK_OEM_COMMA &&
              kVkOemMinus == VK_OEM_MINUS && kVkOemPeriod == VK_OEM_PERIOD && kVkOem2 == VK_OEM_2 &&
              kVkOem3 == VK_OEM_3 && kVkOem4 == VK_OEM_4 && kVkOem5 == VK_OEM_5 &&
              kVkOem6 == VK_OEM_6 && kVkOem7 == VK_OEM_7 && kVkOem102 == VK_OEM_102 &&
              kVkOemCopy == VK_OEM_COPY && kVkOemEnlw == VK_OEM_ENLW);

// The EDIT class's own procedure, which the boxes' own passes their messages on to. The boxes are
// subclassed by replacing their procedure, with their EntryKeys in GWLP_USERDATA, rather than by
// comctl32's SetWindowSubclass, which Wine keeps in a window property: a round trip to its server
// for every message a box handles.
WNDPROC editProc() {
  static const WNDPROC proc = [] {
    WNDCLASSEXW edit{};
    edit.cbSize = sizeof edit;
    GetClassInfoExW(nullptr, L"EDIT", &edit);
    return edit.lpfnWndProc;
  }();
  return proc;
}

LRESULT CALLBACK entryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* target = reinterpret_cast<EntryKeys*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  if (!target) return CallWindowProcW(editProc(), edit, message, wParam, lParam);
  const auto box = static_cast<Control>(GetWindowLongPtrW(edit, GWLP_ID) - kFirstControlId);
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter and Esc belong to the box's key handlers (Enter is dropped, Esc quits), not to the
      // dialog manager, which would take them for the default and cancel buttons.
      LRESULT code = CallWindowProcW(editProc(), edit, message, wParam, lParam);
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
          (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!target->entryKeyDown(box, static_cast<int>(wParam), shiftState())) return 0;
      break;
    case WM_CHAR: {
      const int character = target->entryKeyPress(box, static_cast<int>(wParam));
      if (character == 0) return 0;
      wParam = static_cast<WPARAM>(character);
      break;
    }
    case WM_KILLFOCUS: {
      // wParam is the window taking the focus, if any: a control of this window, or a message
      // box, a menu or another program's window.
      auto* const next = reinterpret_cast<HWND>(wParam);
      const LRESULT result = CallWindowProcW(editProc(), edit, message, wParam, lParam);
      target->entryFocusLeaves(box, next && IsChild(GetParent(edit), next));
      return result;
    }
    case WM_NCDESTROY: SetWindowLongPtrW(edit, GWLP_USERDATA, 0); break;
  }
  return CallWindowProcW(editProc(), edit, message, wParam, lParam);
}

}  // namespace

int shiftState() {
  // The three keys in one call: under Wine each call asks its server.
  BYTE keys[256] = {};
  if (!GetKeyboardState(keys)) return 0;
  int shift = 0;
  if (keys[VK_SHIFT] & 0x80) shift |= kShiftBit;
  if (keys[VK_CONTROL] & 0x80) shift |= kCtrlBit;
  if (keys[VK_MENU] & 0x80) shift |= kAltBit;
  return shift;
}

void makeEntryBox(HWND edit, Control box, EntryKeys& keys) {
  // The largest limit a single-line edit takes: in effect none.
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  // Only half-width digits and signs count as an entry: keep an active input method from turning
  // them into full-width ones.
  ImmAssociateContextEx(edit, nullptr, 0);
  // The procedure knows its box by the control ID, its place in the layout.
  SetWindowLongPtrW(edit, GWLP_ID, kFirstControlId + box);
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&keys));
  SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entryProc));
}

}  // namespace orindel::win32
