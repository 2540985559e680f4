// The Win32 window in its own process, for what the real-key suite cannot reach from outside: a
// change of the window's DPI, a long total drawn smaller to fit its label, where the focus leaves
// the caret, the options' tab stops, and the one quit message of the program's end.
#include "form2_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <imm.h>

#include <cmath>
#include <string>
#include <utility>

#include "in_its_place.h"
#include "layout.h"

namespace orindel::win32 {
namespace {

class Form2WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.created());
    ShowWindow(window.handle(), SW_SHOWNOACTIVATE);
  }

  HWND item(Control c) const { return GetDlgItem(window.handle(), kFirstControlId + c); }

  std::wstring text(Control c) const {
    std::wstring result(static_cast<std::size_t>(GetWindowTextLengthW(item(c))) + 1, L'\0');
    result.resize(static_cast<std::size_t>(
        GetWindowTextW(item(c), result.data(), static_cast<int>(result.size()))));
    return result;
  }

  SIZE clientSize() const {
    RECT client{};
    GetClientRect(window.handle(), &client);
    return {client.right, client.bottom};
  }

  RECT rectInClient(Control c) const {
    RECT rect{};
    GetWindowRect(item(c), &rect);
    MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  LONG fontHeight(Control c) const {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item(c), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
  }

  // The width of `text` in control c's font, and in the window's face at a pixel height.
  int widthIn(Control c, const std::wstring& text) const {
    return measure(reinterpret_cast<HFONT>(SendMessageW(item(c), WM_GETFONT, 0, 0)), text);
  }
  int widthAt(int height, const std::wstring& text) const {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item(Label4), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    font.lfHeight = -height;
    HFONT larger = CreateFontIndirectW(&font);
    const int width = measure(larger, text);
    DeleteObject(larger);
    return width;
  }
  static int measure(HFONT font, const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    return extent.cx;
  }

  void changeDpi(UINT dpi) {
    RECT suggested{};
    GetWindowRect(window.handle(), &suggested);
    SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }

  // The text the total's tooltip would show now; empty when the label shows its caption whole.
  std::wstring totalTip() {
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(item(Label4));
    SendMessageW(window.handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : L"";
  }

  Form2Window window{GetModuleHandleW(nullptr), L"IDI_ICON1"};
};

LONG fontHeightAt(double points, UINT dpi) { return -std::lround(points * dpi / 72.0); }
int pixelHeight(double points) {
  return static_cast<int>(-fontHeightAt(points, USER_DEFAULT_SCREEN_DPI));
}

TEST_F(Form2WindowTest, a_new_dpi_rescales_the_window_controls_and_fonts) {
  for (UINT dpi : {144u, 192u, 120u, 96u}) {
    changeDpi(dpi);
    for (bool wide : {false, true}) {
      if (wide) SendMessageW(item(Command3), BM_CLICK, 0, 0);
      const SIZE client = clientSize();
      EXPECT_EQ((PixelSize{client.cx, client.cy}), orindel::clientSize(wide, static_cast<int>(dpi)))
          << "at " << dpi << " DPI, wide " << wide;
      for (int i = 0; i < kControlCount; ++i) {
        const RECT r = rectInClient(static_cast<Control>(i));
        EXPECT_TRUE(inItsPlace(static_cast<Control>(i), wide, static_cast<int>(dpi), false,
                               {r.left, r.top, r.right - r.left, r.bottom - r.top}));
        if (kControls[i].sizing == Sizing::Caption) {
          const auto c = static_cast<Control>(i);
          EXPECT_GE(r.right - r.left, widthIn(c, text(c))) << kControls[i].name << " at " << dpi;
        }
      }
      EXPECT_EQ(fontHeight(Text1), fontHeightAt(9, dpi)) << "at " << dpi << " DPI";
      EXPECT_EQ(fontHeight(Label6), fontHeightAt(8.25, dpi)) << "at " << dpi << " DPI";
      EXPECT_EQ(text(Label4), L" 0: 0: 0") << "at " << dpi << " DPI";
      if (wide) SendMessageW(item(Command3), BM_CLICK, 0, 0);
    }
  }
}

TEST_F(Form2WindowTest, a_total_too_long_for_its_label_is_drawn_smaller_but_whole) {
  // Each entry adds 32768 hours ("--32768": a sign dropped, then minus), a digit more every
  // tenfold. Narrow and wide, the label then shows its whole caption in the largest size that fits,
  // no smaller than the floor, and offers no tooltip; one a size larger would not have fitted.
  const int preferred = pixelHeight(kWindowPoints);
  const int floor = pixelHeight(kLegibleFloorPoints);
  int entries = 0;
  bool shrunk = false;
  for (int target : {1, 10, 100, 1000}) {
    for (; entries < target; ++entries) {
      SetWindowTextW(item(Text1), L"--32768");
      SetWindowTextW(item(Text2), L"0");
      SetWindowTextW(item(Text3), L"0");
      SendMessageW(item(Command2), BM_CLICK, 0, 0);
    }
    for (bool wide : {true, false}) {
      if (wide) SendMessageW(item(Command3), BM_CLICK, 0, 0);
      const std::wstring caption = text(Label4);
      ASSERT_EQ(caption, L" " + std::to_wstring(32768LL * entries) + L": 0: 0")
          << "after " << entries << " entries";
      RECT label{};
      GetClientRect(item(Label4), &label);
      EXPECT_EQ(label.right, controlRect(Label4, wide, kLayoutDpi).width)
          << "after " << entries << " entries, wide " << wide;
      const int height = -fontHeight(Label4);
      EXPECT_LE(height, preferred) << "after " << entries << " entries, wide " << wide;
      if (totalTip().empty()) {
        EXPECT_GE(height, floor) << "after " << entries << " entries, wide " << wide;
        EXPECT_LE(widthIn(Label4, caption), label.right) << caption << ", wide " << wide;
        if (height < preferred) {
          shrunk = true;
          EXPECT_GT(widthAt(height + 1, caption), label.right) << caption << ", wide " << wide;
        }
      }
      if (wide) SendMessageW(item(Command3), BM_CLICK, 0, 0);
    }
  }
  EXPECT_TRUE(shrunk) << "no total was long enough to be drawn smaller";
}

// A total too long for its label even at the smallest size and with no blank to wrap at is cut
// short; its tooltip then shows it whole.
TEST_F(Form2WindowTest, a_total_cut_short_shows_whole_in_its_tooltip) {
  // "--32768" adds -32768 to each field (a sign dropped, the rest read): "-32768:-32768:-32768".
  for (Control box : {Text1, Text2, Text3}) SetWindowTextW(item(box), L"--32768");
  SendMessageW(item(Command1), BM_CLICK, 0, 0);
  ASSERT_EQ(text(Label4), L"-32768:-32768:-32768");
  EXPECT_EQ(totalTip(), text(Label4));
}

// The options are one tab stop, the chosen one, and none while the narrow window hides them.
TEST_F(Form2WindowTest, the_options_are_one_tab_stop_the_chosen_one_while_shown) {
  const auto stops = [this] {
    const auto stop = [this](Control c) {
      return (GetWindowLongPtrW(item(c), GWL_STYLE) & WS_TABSTOP) != 0;
    };
    return std::pair{stop(Option1), stop(Option2)};
  };
  EXPECT_EQ(stops(), std::pair(false, false)) << "narrow";
  const struct {
    Control clicked;
    std::pair<bool, bool> stops;
  } rows[] = {{Command3, {true, false}}, {Option2, {false, true}}, {Command3, {false, false}}};
  for (const auto& row : rows) {
    SendMessageW(item(row.clicked), BM_CLICK, 0, 0);
    EXPECT_EQ(stops(), row.stops) << "after " << kControls[row.clicked].name;
  }
}

// The boxes have no input context, so that no input method composes in them, and a key reaches
// Form2 with its own virtual-key code.
TEST_F(Form2WindowTest, the_boxes_take_keys_as_they_are) {
  for (Control box : {Text1, Text2, Text3}) {
    EXPECT_EQ(ImmGetContext(item(box)), nullptr) << kControls[box].name;
    SendMessageW(item(box), WM_KEYDOWN, VK_OEM_PERIOD, 0);
    EXPECT_EQ(window.form().keyCode(), VK_OEM_PERIOD) << kControls[box].name;
  }
}

// A box keeps its caret when the focus goes to another window (a message box, another program), so
// that the next digit lands where it was; moving on to another control shows the start of its text.
TEST_F(Form2WindowTest, a_box_shows_its_start_only_when_left_for_another_control) {
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(other);
  const struct {
    const char* name;
    HWND next;
    DWORD caret;
  } rows[] = {{"another window", other, 2}, {"another control", item(Text2), 0}};
  for (const auto& row : rows) {
    SetForegroundWindow(window.handle());
    SetFocus(item(Text1));
    SetWindowTextW(item(Text1), L"12");
    SendMessageW(item(Text1), EM_SETSEL, 2, 2);
    SetFocus(row.next);
    DWORD start = 99;
    DWORD end = 99;
    SendMessageW(item(Text1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, row.caret) << row.name;
    EXPECT_EQ(end, row.caret) << row.name;
  }
  DestroyWindow(other);
}

int pendingQuits() {
  int quits = 0;
  MSG message{};
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) ++quits;
  return quits;
}

// The program's end posts one quit message, and a window going away with its program posts none:
// a stray one would close the next message box at once.
TEST(Form2WindowEndTest, the_program_ends_with_one_quit_message) {
  const struct {
    const char* name;
    void (*act)(HWND window);
    int quits;
  } rows[] = {
      {"destroyed with the program", [](HWND) {}, 0},
      {"Esc in a box",
       [](HWND window) {
         SendMessageW(GetDlgItem(window, kFirstControlId + Text1), WM_KEYDOWN, VK_ESCAPE, 0);
       },
       1},
      {"closed by the user", [](HWND window) { SendMessageW(window, WM_CLOSE, 0, 0); }, 1},
  };
  for (const auto& row : rows) {
    pendingQuits();
    {
      Form2Window window(GetModuleHandleW(nullptr), L"IDI_ICON1");
      ASSERT_TRUE(window.created());
      row.act(window.handle());
      EXPECT_EQ(pendingQuits(), row.quits) << row.name;
    }
    EXPECT_EQ(pendingQuits(), 0) << row.name << ", once the window is gone";
  }
}

}  // namespace
}  // namespace orindel::win32
