// The start-up baselines: the smallest Win32 window, one static control, the same client size as
// Orindel's narrow window; built with BASELINE_ALL_CONTROLS, the same window with Orindel's fifteen
// standard controls where its layout puts them, which is the limit for a window of this kind.
#include <windows.h>

#ifdef BASELINE_ALL_CONTROLS
#include <string>

#include "geometry.h"
#endif

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The parameters keep the names that Windows' own declaration gives them.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"OrindelBaseline";
  RegisterClassW(&windowClass);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 196, 80};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowW(L"OrindelBaseline", L"Baseline window", style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance, nullptr);
#ifdef BASELINE_ALL_CONTROLS
  using namespace orindel;
  for (int i = 0; i < kControlCount; ++i) {
    const ControlLayout& row = kControls[i];
    const PixelRect place = controlRect(static_cast<Control>(i), false);
    const wchar_t* kind = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (row.kind == ControlKind::EntryBox) kind = L"EDIT", style |= WS_BORDER | ES_AUTOHSCROLL;
    if (row.kind == ControlKind::Label) kind = L"STATIC";
    if (row.kind == ControlKind::Frame) style |= BS_GROUPBOX;
    if (row.kind == ControlKind::Option) style |= BS_AUTORADIOBUTTON;
    const std::u16string_view caption = row.caption;
    CreateWindowW(kind, std::wstring(caption.begin(), caption.end()).c_str(), style, place.left,
                  place.top, place.width, place.height, window, nullptr, instance, nullptr);
  }
#else
  CreateWindowW(L"STATIC", L" 0: 0: 0", WS_CHILD | WS_VISIBLE, 8, 8, 120, 16, window, nullptr,
                instance, nullptr);
#endif
  ShowWindow(window, nShowCmd);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
