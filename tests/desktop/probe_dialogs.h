// Any program's dialogs on the desktop, an installer's pages, as the probe answers 'dialogs', and
// a click of one of their controls ('press').
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "probe_reading.h"

namespace orindel::probe {

// Every dialog window on the desktop, whatever its program: its handle, title, client area on the
// screen, and the id, class, state and text of each visible control inside it.
inline std::string dialogs() {
  std::string out;
  for (HWND dialog : visibleWindows(nullptr)) {
    if (classOf(dialog) != L"#32770") continue;
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    std::string controls;
    for (HWND c : visibleWindows(dialog)) {
      controls += (controls.empty() ? "{\"id\":" : ",{\"id\":") + std::to_string(GetDlgCtrlID(c)) +
                  ",\"class\":" + quoted(classOf(c)) +
                  ",\"enabled\":" + boolJson(IsWindowEnabled(c)) +
                  ",\"checked\":" + boolJson(SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED) +
                  ",\"text\":" + quoted(textOf(c)) + "}";
    }
    out += (out.empty() ? "{\"hwnd\":" : ",{\"hwnd\":") +
           std::to_string(reinterpret_cast<uintptr_t>(dialog)) +
           ",\"title\":" + quoted(textOf(dialog)) + ",\"client\":" + rectJson(client) +
           ",\"controls\":[" + controls + "]}";
  }
  return "{\"dialogs\":[" + out + "]}";
}

// Clicks the visible control `id` inside `dialog`, as a user would.
inline std::string press(HWND dialog, int id) {
  for (HWND control : visibleWindows(dialog)) {
    if (GetDlgCtrlID(control) != id) continue;
    PostMessageW(control, BM_CLICK, 0, 0);
    return "{\"pressed\":true}";
  }
  return "{\"pressed\":false}";
}

}  // namespace orindel::probe
