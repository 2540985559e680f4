// The Windows desktop's reader: a console program, run in the same prefix as Orindel, that finds
// the window by its class and reports it as one JSON line per command: each control's text,
// geometry, visibility and check state, the focus, and the program's open message box; beside the
// geometry, the layout's at the window's DPI.
//
// It reads one command a line from stdin and answers each with one line. Commands:
//   state | layout | paste COUNT ID T2 T3 | clip COUNT TEXT | clipread | dialogs |
//   press HWND ID | quit
// (layout: the window's layout as layout_json.h writes it; dialogs and press: any program's
// dialogs, an installer's pages, probe_dialogs.h). probe_reading.h reads the windows.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "layout_json.h"
#include "probe_dialogs.h"
#include "probe_reading.h"

namespace {

using namespace orindel::probe;

HWND mainWindow() { return FindWindowW(L"OrindelForm2", nullptr); }

// A visible top-level window of the program's process with the given class.
HWND topLevelOf(HWND main, const wchar_t* className) {
  struct Search {
    DWORD pid;
    const wchar_t* className;
    HWND found;
  } search{0, className, nullptr};
  GetWindowThreadProcessId(main, &search.pid);
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == s->pid && IsWindowVisible(window) && classOf(window) == s->className) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The program's open message box: a standard dialog of its own process.
HWND messageBox(HWND main) { return topLevelOf(main, L"#32770"); }

// The items of the program's open pop-up menu, or null when none is open.
std::string menuJson(HWND main) {
  HWND popup = topLevelOf(main, L"#32768");
  if (!popup) return "null";
  std::string items;
  auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    items += (i ? "," : "") + quoted(std::wstring(text));
  }
  return "[" + items + "]";
}

// The id of a child of the main window, or -1 for another window, 0 for none.
int idOf(HWND window, HWND main) {
  if (!window) return 0;
  if (GetParent(window) != main) return -1;
  return GetDlgCtrlID(window);
}

// The name of a child of the main window: "" for another window, null for none.
std::string nameOf(HWND window, HWND main) {
  if (!window) return "null";
  const int index = GetDlgCtrlID(window) - orindel::kFirstControlId;
  if (GetParent(window) != main || index < 0 || index >= orindel::kControlCount) return "\"\"";
  return quoted(std::string(orindel::kControls[index].name));
}

// A control as it is and as the layout places it at the window's DPI and width: a fitted label
// also where it lies with its caption wrapped.
std::string controlJson(HWND main, int index) {
  using namespace orindel;
  const auto c = static_cast<Control>(index);
  HWND control = GetDlgItem(main, kFirstControlId + index);
  std::string out = "{" + desktop::controlMembers(c);
  if (!control) return out + ",\"exists\":false}";
  out += R"(,"exists":true,"class":)" + quoted(classOf(control));
  out += ",\"text\":" + quoted(textOf(control));
  out += ",\"visible\":" + boolJson(IsWindowVisible(control));
  out += ",\"rect\":" + rectJson(rectIn(control, main));
  RECT client{};
  GetClientRect(main, &client);
  const int dpi = static_cast<int>(GetDpiForWindow(main));
  const bool wide = client.right > clientSize(false, dpi).width;
  out += ",\"place\":" + desktop::jsonRect(controlRect(c, wide, dpi));
  if (kControls[c].sizing == Sizing::Fitted) {
    out += ",\"placeWrapped\":" + desktop::jsonRect(controlRect(c, wide, dpi, true));
  }
  out += ",\"previous\":" + nameOf(GetWindow(control, GW_HWNDPREV), main);
  return out + "}";
}

std::string boxJson(HWND main, HWND box) {
  if (!box) return "null";
  std::string buttons;
  std::vector<std::string> statics;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const std::wstring kind = classOf(child);
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
      if (!buttons.empty()) buttons += ",";
      buttons += "{\"id\":" + std::to_string(GetDlgCtrlID(child)) +
                 ",\"text\":" + quoted(textOf(child)) + "}";
    } else if (_wcsicmp(kind.c_str(), L"Static") == 0 &&
               (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
               SendMessageW(child, STM_GETICON, 0, 0)) {
      statics.emplace_back("icon");
    }
  }
  std::string out = "{\"title\":" + quoted(textOf(box));
  out += ",\"text\":" + quoted(textOf(GetDlgItem(box, 0xFFFF)));
  out += ",\"owned\":" + boolJson(GetWindow(box, GW_OWNER) == main);
  out += ",\"icon\":" + boolJson(!statics.empty());
  out += ",\"buttons\":[" + buttons + "]}";
  return out;
}

std::string state() {
  HWND main = mainWindow();
  if (!main) return "{\"found\":false}";
  // A window at work on a long message (a paste of many characters) would hold each of the reads
  // below for seconds: say so at once, and let the caller ask again.
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &ignored)) {
    return R"({"found":true,"visible":true,"busy":true})";
  }
  const DWORD thread = GetWindowThreadProcessId(main, nullptr);
  RECT client{};
  GetClientRect(main, &client);
  MapWindowPoints(main, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(thread, &gui);
  HWND box = messageBox(main);

  std::string out = R"({"found":true,"caption":)" + quoted(textOf(main));
  out += ",\"visible\":" + boolJson(IsWindowVisible(main));
  out += ",\"client\":" + rectJson(client);
  const int dpi = static_cast<int>(GetDpiForWindow(main));
  out += ",\"dpi\":" + std::to_string(dpi);
  out += ",\"layoutClient\":" + orindel::desktop::clientSizesJson(dpi);
  out += ",\"sizable\":" + boolJson(style & WS_THICKFRAME);
  out += ",\"maximize\":" + boolJson(style & WS_MAXIMIZEBOX);
  out += ",\"focus\":" + std::to_string(idOf(gui.hwndFocus, main));
  // Keys go to the active window: the program's, or its message box.
  const HWND active = GetForegroundWindow();
  out += ",\"active\":" + boolJson(active == main || (box && active == box));
  out += ",\"box\":" + boxJson(main, box);
  out += ",\"menu\":" + menuJson(main);
  HWND tip = topLevelOf(main, L"tooltips_class32");
  out += ",\"tooltip\":" + (tip ? quoted(textOf(tip)) : std::string("null"));
  out += ",\"controls\":[";
  for (int i = 0; i < orindel::kControlCount; ++i) {
    if (i) out += ",";
    out += controlJson(main, i);
  }
  return out + "]}";
}

// Queues `count` entries: the clipboard pasted into Text1, `text2` and `text3` typed into Text2
// and Text3, then a click of button `id`; all posted, as the program's own input would queue them.
// It returns at once and the program takes them at its own pace (waiting for each message, as
// SendMessageW does, would take many times longer under Wine).
std::string pasteEntries(int count, int id, const std::wstring& text2, const std::wstring& text3) {
  HWND main = mainWindow();
  if (!main) return "{\"done\":false}";
  HWND button = GetDlgItem(main, id);
  HWND boxes[3];
  for (int n = 0; n < 3; ++n) boxes[n] = GetDlgItem(main, orindel::kFirstControlId + n);
  for (int i = 0; i < count; ++i) {
    PostMessageW(boxes[0], WM_PASTE, 0, 0);
    for (wchar_t c : text2) PostMessageW(boxes[1], WM_CHAR, c, 1);
    for (wchar_t c : text3) PostMessageW(boxes[2], WM_CHAR, c, 1);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }
  return "{\"done\":true}";
}

// Puts `count` copies of `text` on the clipboard. The probe keeps running so that
// the clipboard keeps its owner until the paste.
std::string clip(int count, const std::wstring& text) {
  std::wstring all;
  all.reserve(text.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) all += text;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (all.size() + 1) * sizeof(wchar_t));
  if (!memory) return "{\"done\":false}";
  auto* data = static_cast<wchar_t*>(GlobalLock(memory));
  all.copy(data, all.size());
  data[all.size()] = L'\0';
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return "{\"done\":false}";
  }
  EmptyClipboard();
  const bool done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return "{\"done\":" + boolJson(done) + "}";
}

std::string clipRead() {
  if (!OpenClipboard(nullptr)) return "{\"clipboard\":null}";
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return "{\"clipboard\":" + quoted(text) + "}";
}

// Splits off the first blank-separated word of `line`.
std::string word(std::string& line) {
  const size_t start = line.find_first_not_of(' ');
  if (start == std::string::npos) {
    line.clear();
    return {};
  }
  const size_t end = line.find(' ', start);
  std::string first = line.substr(start, end == std::string::npos ? end : end - start);
  line = end == std::string::npos ? std::string() : line.substr(end + 1);
  return first;
}

int number(const std::string& text) {
  try {
    return std::stoi(text);
  } catch (...) {
    return -1;
  }
}

// Runs one command line; false for quit.
bool run(std::string line, std::string& reply) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  const std::string command = word(line);
  if (command == "state") {
    reply = state();
  } else if (command == "paste") {
    const int count = number(word(line));
    const int id = number(word(line));
    const std::wstring text2 = wide(word(line));
    reply = pasteEntries(count, id, text2, wide(word(line)));
  } else if (command == "clip") {
    const int count = number(word(line));
    reply = clip(count, wide(line));
  } else if (command == "clipread") {
    reply = clipRead();
  } else if (command == "dialogs") {
    reply = dialogs();
  } else if (command == "press") {
    const std::string dialog = word(line);
    reply = press(reinterpret_cast<HWND>(std::strtoull(dialog.c_str(), nullptr, 10)),
                  number(word(line)));
  } else if (command == "layout") {
    reply = orindel::desktop::layoutJson();
  } else if (command == "quit") {
    return false;
  } else {
    reply = "{\"error\":" + quoted("unknown command: " + command) + "}";
  }
  return true;
}

}  // namespace

int main() {
  // Physical pixels for every window, whatever DPI awareness the program declares.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  std::string line;
  std::string reply;
  while (std::getline(std::cin, line) && run(line, reply)) {
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  return 0;
}
