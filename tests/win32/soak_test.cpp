// A soak of the Win32 window in the test's own process: 100,000 random key-down, character and
// click messages posted to the entry boxes and buttons, and some pastes, with every message
// answered at once. After every event the labels show the register, the count stays in range, a
// calculation leaves no key pending and the program has not ended. Across the soak the GDI objects
// the window holds (its own count: Wine's GetGuiResources answers 0) and the process's resident
// memory (Linux's /proc/PID/status, on Wine's drive Z:) stay flat, and once the window is gone
// none is left.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "form2_window.h"
#include "gdi_objects.h"
#include "label_invariant.h"
#include "wide_text.h"

namespace orindel::win32 {
namespace {

struct Key {
  WORD vk;
  int shift;      // 1 Shift, 2 Ctrl
  wchar_t typed;  // the character it types; 0 for none
};

constexpr Key kKeys[] = {
    {'0', 0, L'0'},         {'1', 0, L'1'},          {'5', 0, L'5'},
    {'9', 0, L'9'},         {VK_NUMPAD3, 0, L'3'},   {VK_ADD, 0, L'+'},
    {VK_SUBTRACT, 0, L'-'}, {VK_OEM_MINUS, 0, L'-'}, {VK_OEM_MINUS, 1, L'_'},
    {VK_OEM_PLUS, 1, L'+'}, {VK_OEM_PLUS, 0, L'='},  {VK_OEM_PLUS, 3, 0},
    {'O', 0, L'o'},         {'O', 1, L'O'},          {VK_RETURN, 0, L'\r'},
    {VK_BACK, 0, L'\b'},    {VK_OEM_COMMA, 0, L','}, {VK_OEM_PERIOD, 0, L'.'},
    {'E', 0, L'e'},         {VK_SPACE, 0, L' '},     {VK_HOME, 0, 0},
    {VK_END, 0, 0},         {VK_SHIFT, 1, 0},        {VK_CONTROL, 2, 0},
};

// The fonts the window may make over a run: its face at each quarter point from its size down to
// the legible floor.
constexpr int kFittedSizes = static_cast<int>((kWindowPoints - kLegibleFloorPoints) * 4) + 1;

// Sets the thread's key state as the keyboard would while a key of this shift state is held, and
// back. Nothing is held between keys: a key without a shift state needs neither call, which Wine
// would answer by a round trip to its server each.
void holdShift(int shift, bool held) {
  if (shift == 0) return;
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = (held && (shift & 1)) ? 0x80 : 0;
  keys[VK_CONTROL] = (held && (shift & 2)) ? 0x80 : 0;
  SetKeyboardState(keys);
}

// Delivers everything posted; false if the program ended.
bool deliver() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    DispatchMessageW(&message);
  }
  return true;
}

// A Windows path on drive Z: as the Unix path it names.
std::string unixPath(std::wstring_view path) {
  if (path.size() >= 2 && path[1] == L':') path.remove_prefix(2);
  std::string unix;
  for (wchar_t c : path) unix += c == L'\\' ? '/' : static_cast<char>(c);
  return unix;
}

std::string fileText(const std::wstring& path) {
  std::ifstream file(path.c_str());
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// This process's resident memory in kB, as Linux counts it; -1 when it cannot be read. Under Wine,
// Z:\proc\self is the Wine server's: the process is the one whose command line starts with this
// program's path.
long residentKb() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  const std::string self = unixPath(module);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long resident = -1;
  do {
    const std::wstring pid = found.cFileName;
    if (pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    const std::string commandLine = fileText(L"Z:\\proc\\" + pid + L"\\cmdline");
    const std::string program = commandLine.substr(0, commandLine.find('\0'));
    if (unixPath(std::wstring(program.begin(), program.end())) != self) continue;
    const std::string status = fileText(L"Z:\\proc\\" + pid + L"\\status");
    const std::size_t at = status.find("VmRSS:");
    if (at != std::string::npos) resident = std::stol(status.substr(at + 6));
  } while (resident < 0 && FindNextFileW(search, &found));
  FindClose(search);
  return resident;
}

std::wstring randomText(std::mt19937& random, int length) {
  static const std::wstring kCharacters = L"0123456789+-,.e 5５ａ";
  std::wstring text;
  for (int i = 0; i < length; ++i) text += kCharacters[random() % kCharacters.size()];
  return text;
}

TEST(SoakTest, random_messages_keep_the_window_consistent_and_leak_nothing) {
  const int gdiBefore = GdiObjects::alive();
  {
    Form2Window window(GetModuleHandleW(nullptr), L"IDI_ICON1");
    ASSERT_TRUE(window.created());
    int messages = 0;
    int runtimeErrors = 0;
    window.setMessageHandler([&](const std::wstring& text) {
      ++messages;
      if (text.find(L"実行時エラー") != std::wstring::npos) ++runtimeErrors;
    });
    window.show(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(deliver());
    // Each call to Wine's window manager is a round trip to its server: the controls' handles
    // are looked up once.
    HWND items[kControlCount] = {};
    for (int c = 0; c < kControlCount; ++c) {
      items[c] = GetDlgItem(window.handle(), kFirstControlId + c);
    }
    auto item = [&](Control c) { return items[c]; };
    auto text = [&](Control c) {
      std::wstring result(static_cast<std::size_t>(GetWindowTextLengthW(item(c))) + 1, L'\0');
      result.resize(static_cast<std::size_t>(
          GetWindowTextW(item(c), result.data(), static_cast<int>(result.size()))));
      return result;
    };
    const Control boxes[] = {Text1, Text2, Text3};
    const Control buttons[] = {Command1, Command2, Command3};

    const int gdiAtStart = GdiObjects::alive();
    int gdiPeak = gdiAtStart;
    long residentWarm = 0;
    std::mt19937 random(20261207);
    constexpr int kEvents = 100'000;
    constexpr int kWarmUp = 10'000;
    int calculations = 0;
    std::wstring total = text(Label4);
    std::wstring count = text(Label5);
    for (int event = 0; event < kEvents; ++event) {
      if (event == kWarmUp) residentWarm = residentKb();
      const std::wstring totalBefore = std::move(total);
      const std::wstring countBefore = std::move(count);
      const int messagesBefore = messages;
      const int errorsBefore = runtimeErrors;
      HWND box = item(boxes[random() % 3]);
      const unsigned choice = random() % 1000;
      bool typedO = false;
      int shift = 0;
      if (choice < 5) {
        // A paste: a change without a key.
        const int length = choice == 0 ? 20'000 : static_cast<int>(random() % 300);
        const std::wstring pasted = randomText(random, length);
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
      } else if (choice < 60) {
        PostMessageW(item(buttons[random() % 3]), BM_CLICK, 0, 0);
      } else if (choice < 70) {
        // A character without its key.
        PostMessageW(box, WM_CHAR, L"0+-o5"[random() % 5], 0);
      } else {
        const Key& key = kKeys[random() % std::size(kKeys)];
        shift = key.shift;
        holdShift(shift, true);
        PostMessageW(box, WM_KEYDOWN, key.vk, 0);
        if (key.typed) PostMessageW(box, WM_CHAR, key.typed, 0);
        typedO = key.vk == 'O';
      }
      ASSERT_TRUE(deliver()) << "the program ended at event " << event;
      holdShift(shift, false);
      // A typed O empties its box and stays the pending key.
      if (typedO) {
        ASSERT_EQ(GetWindowTextLengthW(box), 0) << "event " << event;
        ASSERT_EQ(window.form().keyCode(), 'O') << "event " << event;
      }

      const TallyRegister& reg = window.form().tally();
      total = text(Label4);
      count = text(Label5);
      const char* wrong = labelsDisagree(reg, toText(total), toText(count));
      ASSERT_EQ(wrong, nullptr) << wrong << ", event " << event;
      if (total != totalBefore || count != countBefore ||
          (messages > messagesBefore && runtimeErrors == errorsBefore)) {
        ++calculations;
        ASSERT_EQ(window.form().keyCode(), -1) << "event " << event;
      }
      gdiPeak = std::max(gdiPeak, GdiObjects::alive());
      ASSERT_LE(GdiObjects::alive(), gdiAtStart + kFittedSizes) << "event " << event;
    }
    const long residentEnd = residentKb();
    std::cout << kEvents << " events, " << calculations << " calculations, " << messages
              << " messages (" << runtimeErrors << " runtime errors); GDI objects " << gdiAtStart
              << " at the start, " << gdiPeak << " at most, " << GdiObjects::alive()
              << " at the end; resident " << residentWarm << " kB after " << kWarmUp << " events, "
              << residentEnd << " kB at the end\n";
    EXPECT_GT(calculations, 100);
    ASSERT_GT(residentWarm, 0) << "no resident memory read from Linux's /proc";
    EXPECT_LT(residentEnd - residentWarm, 4096) << "kB more resident memory over the soak";

    // Esc in a box ends the program.
    PostMessageW(item(Text2), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(deliver());
  }
  EXPECT_EQ(GdiObjects::alive(), gdiBefore) << "GDI objects left once the window is gone";
}

}  // namespace
}  // namespace orindel::win32
