// How the probe reads another process's windows: their text over WM_GETTEXT (GetWindowTextW
// reads only the caller's own windows), class, place and visible children, and the JSON pieces it
// answers with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "layout_json.h"

namespace orindel::probe {

inline std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

inline std::wstring wide(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

inline std::string quoted(const std::string& text) { return orindel::desktop::jsonString(text); }
inline std::string quoted(const std::wstring& text) { return quoted(utf8(text)); }

inline std::string rectJson(const RECT& r) {
  return orindel::desktop::jsonRect({r.left, r.top, r.right - r.left, r.bottom - r.top});
}

inline std::string boolJson(bool value) { return value ? "true" : "false"; }

inline std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return L"";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

inline std::wstring classOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// A rectangle in the client coordinates of `parent`.
inline RECT rectIn(HWND window, HWND parent) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The visible windows inside `parent` at any depth, or on the desktop when it is null.
inline std::vector<HWND> visibleWindows(HWND parent) {
  std::vector<HWND> found;
  const WNDENUMPROC collect = [](HWND window, LPARAM data) -> BOOL {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
  };
  if (parent) EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
  if (!parent) EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace orindel::probe
