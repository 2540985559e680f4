#include "form2_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "clipboard.h"
#include "dpi.h"
#include "wide_text.h"

namespace orindel::win32 {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
constexpr UINT kCopyCommand = 1;

// Creation order is z-order, which gives both the tab order among the controls that take the
// focus and each entry box its accessible name: that of the static just before it. So each unit
// caption comes just before its box; the layout's tab order is otherwise kept.
constexpr Control kCreationOrder[] = {Label1, Text1,    Label2,   Text2,  Label3,
                                      Text3,  Command1, Command2, Label4, Command3,
                                      Frame1, Option1,  Option2,  Label5, Label6};
static_assert(std::size(kCreationOrder) == kControlCount);

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)), L'\0');
  if (!text.empty()) {
    const int read = GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(std::max(read, 0)));
  }
  return text;
}

const wchar_t* classOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::EntryBox: return L"EDIT";
    case ControlKind::Label: return L"STATIC";
    default: return L"BUTTON";
  }
}

// Every control is a group of its own except the two options, so that the arrow keys move only
// between those; the push buttons are plain, never the default. The options' tab stop follows the
// window's width (updateOptionTabStops).
DWORD styleOf(Control control) {
  const ControlLayout& row = kControls[control];
  DWORD style = WS_CHILD | WS_GROUP;
  if (row.atStart != AtStart::Hidden) style |= WS_VISIBLE;
  if (takesFocus(control, false)) style |= WS_TABSTOP;
  switch (row.kind) {
    case ControlKind::EntryBox: return style | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::Button: return style | BS_PUSHBUTTON;
    case ControlKind::Frame: return style | BS_GROUPBOX;
    case ControlKind::Option:
      return (control == Option1 ? style : style & ~DWORD{WS_GROUP}) | BS_AUTORADIOBUTTON;
    case ControlKind::Label:
      if (row.sizing == Sizing::Fitted) {
        // One line, cut short with an ellipsis only when even the smallest size does not fit
        // (a wrapped caption drops both, see fitCaption); SS_NOTIFY lets the total take its
        // right-click menu and both their tooltips.
        return style | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_NOTIFY;
      }
      return style | SS_LEFT | SS_NOPREFIX;
  }
  return style;
}

int fittedIndex(Control label) { return label == Label4 ? 0 : 1; }

// Frees an icon of the window's own (not a shared one of its class).
void destroyIcon(HICON icon) {
  if (!icon) return;
  GdiObjects::freed();
  DestroyIcon(icon);
}

}  // namespace

Form2Window::Form2Window(HINSTANCE instance, const wchar_t* iconName)
    : instance_(instance), iconName_(iconName) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(
      LoadImageW(instance, iconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageW(instance, iconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  // The real size follows from the window's DPI once it exists.
  window_ =
      CreateWindowExW(kWindowExStyle, kClassName, toWide(Form2::caption()).c_str(), kWindowStyle,
                      CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
  if (!window_) {
    creationError_ = GetLastError();
    return;
  }
  dpi_ = GetDpiForWindow(window_);
  face_ = windowFontFace(dpi_);
  fonts_.reset(face_, dpi_);
  countCaptionFont_ = makeCountCaptionFont(dpi_);
  // The class's icons are the system DPI's; a window on a monitor of another DPI gets its own.
  if (dpi_ != GetDpiForSystem()) setIcons();
  createControls();
  form_.load();
}

Form2Window::~Form2Window() {
  ended_ = true;
  if (window_) DestroyWindow(window_);
  for (HICON icon : icons_) destroyIcon(icon);
}

void Form2Window::show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  lastFocus_ = control(Text1);
  SetFocus(lastFocus_);
}

void Form2Window::createControls() {
  for (Control c : kCreationOrder) {
    const ControlLayout& row = kControls[c];
    const DWORD exStyle = row.kind == ControlKind::EntryBox ? WS_EX_CLIENTEDGE : 0;
    const std::wstring caption(row.caption,
                               row.caption + std::char_traits<char16_t>::length(row.caption));
    const RECT rect = placeOf(c, caption);
    controls_[c] = CreateWindowExW(
        exStyle, classOf(row.kind), caption.c_str(), styleOf(c), rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c)), instance_, nullptr);
    SendMessageW(controls_[c], WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c)), FALSE);
  }
  for (Control c : kCreationOrder) {
    if (kControls[c].kind == ControlKind::EntryBox) makeEntryBox(control(c), c, *this);
    if (kControls[c].atStart == AtStart::Selected) {
      SendMessageW(control(c), BM_SETCHECK, BST_CHECKED, 0);
    }
  }
  updateOptionTabStops();
}

HFONT Form2Window::fontOf(Control c) {
  if (c == Label6) return countCaptionFont_.get();
  if (kControls[c].sizing == Sizing::Fitted) return fonts_.at(captions_[fittedIndex(c)].points);
  return fonts_.at(kWindowPoints);
}

RECT Form2Window::placeOf(Control c, const std::wstring& caption) {
  const bool wrapped = kControls[c].sizing == Sizing::Fitted && captions_[fittedIndex(c)].wrapped;
  const PixelRect place = controlRect(c, wide(), dpi(), wrapped);
  int width = place.width;
  if (kControls[c].sizing == Sizing::Caption)
    width = std::max(width, textWidth(fontOf(c), caption));
  return {place.left, place.top, place.left + width, place.top + place.height};
}

void Form2Window::setIcons() {
  const int sizes[2] = {GetSystemMetricsForDpi(SM_CXSMICON, dpi_),
                        GetSystemMetricsForDpi(SM_CXICON, dpi_)};
  for (int i = 0; i < 2; ++i) {
    auto* icon = static_cast<HICON>(
        LoadImageW(instance_, iconName_, IMAGE_ICON, sizes[i], sizes[i], LR_DEFAULTCOLOR));
    GdiObjects::made(icon);
    if (!icon) continue;
    SendMessageW(window_, WM_SETICON, i == 0 ? ICON_SMALL : ICON_BIG,
                 reinterpret_cast<LPARAM>(icon));
    destroyIcon(icons_[i]);
    icons_[i] = icon;
  }
}

void Form2Window::setDpi(UINT dpi) {
  dpi_ = dpi;
  // The old fonts stay alive until every control has been given its new one.
  FontCache oldFonts = std::move(fonts_);
  Font oldCountCaptionFont = std::move(countCaptionFont_);
  fonts_.reset(face_, dpi);
  countCaptionFont_ = makeCountCaptionFont(dpi);
  for (FittedCaption& caption : captions_) caption.points = kWindowPoints;
  for (Control c : kCreationOrder) {
    const RECT rect = placeOf(c, windowText(control(c)));
    SetWindowPos(control(c), nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageW(control(c), WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c)), FALSE);
  }
  setIcons();
  fitToWidth();
  InvalidateRect(window_, nullptr, TRUE);
}

void Form2Window::fitToWidth() {
  // The total and the count reach to the client edge, or to the frame in the wide window.
  for (Control label : {Label4, Label5}) {
    const PixelRect place = labelRect(label);
    SetWindowPos(control(label), nullptr, 0, 0, place.width, place.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitCaption(label);
  }

  const PixelSize clientPixels = clientSize(wide(), dpi());
  const SIZE client{clientPixels.width, clientPixels.height};
  RECT outer{0, 0, client.cx, client.cy};
  AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, kWindowExStyle, dpi_);
  SIZE size{outer.right - outer.left, outer.bottom - outer.top};
  constexpr UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, flags);
  // Where the frame the system draws differs from the one computed for this DPI (a frame that
  // has not followed a DPI change yet, or one drawn otherwise), correct by what the client got.
  RECT got{};
  GetClientRect(window_, &got);
  if (!IsIconic(window_) && (got.right != client.cx || got.bottom != client.cy)) {
    size.cx += client.cx - got.right;
    size.cy += client.cy - got.bottom;
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, flags);
  }
}

PixelRect Form2Window::labelRect(Control label) const {
  return controlRect(label, wide(), dpi(), captions_[fittedIndex(label)].wrapped);
}

void Form2Window::fitCaption(Control label) {
  FittedCaption& caption = captions_[fittedIndex(label)];
  const PixelRect wrapped = controlRect(label, wide(), dpi(), true);
  const CaptionFit fit = fonts_.fit(caption.text, wrapped.width, wrapped.height);
  caption.elided = fit.elided;
  if (fit.elided) addTooltip();
  if (fit.wrapped != caption.wrapped) {
    // A wrapped caption takes the label's full height, top-aligned and broken at its blanks; one
    // line keeps to the height the layout gives, centred, with the ellipsis as its last resort.
    caption.wrapped = fit.wrapped;
    HWND hwnd = control(label);
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    constexpr LONG_PTR kOneLine = SS_CENTERIMAGE | SS_ENDELLIPSIS;
    style = fit.wrapped ? style & ~kOneLine : style | kOneLine;
    SetWindowLongPtrW(hwnd, GWL_STYLE, style);
    const PixelRect place = labelRect(label);
    SetWindowPos(hwnd, nullptr, 0, 0, place.width, place.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  if (fit.points == caption.points) return;
  caption.points = fit.points;
  SendMessageW(control(label), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.at(fit.points)), TRUE);
}

void Form2Window::addTooltip() {
  // Made the first time a caption is cut short, as most runs never need it.
  if (tooltip_) return;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  for (Control label : {Label4, Label5}) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control(label));
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Form2Window::updateOptionTabStops() {
  // While the panel is hidden the options lie outside the window and take no focus; shown, the
  // selected one is the group's tab stop, as the option buttons themselves keep it.
  for (Control option : {Option1, Option2}) {
    HWND button = control(option);
    const bool stop = takesFocus(option, wide()) && isSelected(option);
    LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    style = stop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
    SetWindowLongPtrW(button, GWL_STYLE, style);
  }
}

LRESULT CALLBACK Form2Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Form2Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form2Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // No exception crosses user32's frames: a failure is reported, and the message counts as
  // handled.
  LRESULT result = 0;
  self->form_.guard([&] { result = self->onMessage(message, wParam, lParam); });
  return result;
}

LRESULT Form2Window::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      if (info->hdr.code != TTN_GETDISPINFOW) break;
      // The whole caption, only while the label shows it cut short; an empty tip shows nothing.
      static wchar_t nothing[] = L"";
      info->lpszText = nothing;
      for (Control label : {Label4, Label5}) {
        FittedCaption& caption = captions_[fittedIndex(label)];
        if (info->hdr.idFrom == reinterpret_cast<UINT_PTR>(control(label)) && caption.elided) {
          info->lpszText = caption.text.data();
        }
      }
      return 0;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == control(Label4)) {
        showTotalMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Keep the focused control across a switch to another window, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: SetFocus(lastFocus_ ? lastFocus_ : control(Text1)); return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      // Closed by the user; not when the program has already ended and the window goes with it.
      quit();
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Form2Window::onCommand(int id, int code) {
  if (ended_) return;
  const int index = id - kFirstControlId;
  switch (index) {
    case Text1:
    case Text2:
    case Text3:
      if (code == EN_CHANGE) form_.change(static_cast<Control>(index));
      return;
    case Command1:
    case Command2:
    case Command3:
      if (code == BN_CLICKED) form_.click(static_cast<Control>(index));
      return;
  }
  // Enter on a focused button: the dialog manager, finding no default button, asks for IDOK.
  // It presses the focused button, as Space does; elsewhere Enter does nothing.
  if (id == IDOK && code == BN_CLICKED) {
    HWND focused = GetFocus();
    for (Control button : {Command1, Command2, Command3}) {
      if (focused == control(button)) form_.click(button);
    }
  }
}

void Form2Window::onDpiChanged(UINT dpi, const RECT& suggested) {
  if (dpi != dpi_) setDpi(dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form2Window::showTotalMenu(POINT at) {
  if (at.x == -1 && at.y == -1) {
    RECT label{};
    GetWindowRect(control(Label4), &label);
    at = {label.left, label.bottom};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kCopyCommand, toWide(Form2::kCopyItem).c_str());
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
  DestroyMenu(menu);
  if (chosen != kCopyCommand) return;
  // Another program may hold the clipboard: say that nothing was copied rather than nothing.
  if (!copyToClipboard(window_, toWide(form_.copiedTotal()))) MessageBeep(MB_ICONWARNING);
}

Text Form2Window::boxText(Control box) const { return toText(windowText(control(box))); }

void Form2Window::setBoxText(Control box, const Text& text) {
  // The EDIT sends EN_CHANGE before SetWindowTextW returns: the change handler runs nested.
  SetWindowTextW(control(box), toWide(text).c_str());
}

void Form2Window::showTextStart(Control box) {
  SendMessageW(control(box), EM_SETSEL, 0, 0);
  SendMessageW(control(box), EM_SCROLLCARET, 0, 0);
}

void Form2Window::setOuterWidth(int twips) {
  outerWidthTwips_ = twips;
  updateOptionTabStops();
  fitToWidth();
}

void Form2Window::setLabelVisible(Control label, bool visible) {
  ShowWindow(control(label), visible ? SW_SHOWNA : SW_HIDE);
}

void Form2Window::setCaption(Control label, const Text& caption) {
  if (kControls[label].sizing != Sizing::Fitted) return;
  // The font first, so the new caption is drawn once, at its size.
  captions_[fittedIndex(label)].text = toWide(caption);
  fitCaption(label);
  SetWindowTextW(control(label), captions_[fittedIndex(label)].text.c_str());
}

void Form2Window::focus(Control c) { SetFocus(control(c)); }

bool Form2Window::isSelected(Control option) const {
  return SendMessageW(control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form2Window::message(const Text& text) {
  if (message_) {
    message_(toWide(text));
    return;
  }
  MessageBoxW(window_, toWide(text).c_str(), toWide(Form2::kMessageTitle).c_str(), MB_OK);
}

void Form2Window::end() { quit(); }

void Form2Window::quit() {
  // Nothing more reaches Form2: the message loop ends with the messages already queued.
  if (ended_) return;
  ended_ = true;
  PostQuitMessage(0);
}

bool Form2Window::entryKeyDown(Control box, int keyCode, int shift) {
  return !ended_ && form_.keyDown(box, keyCode, shift);
}

int Form2Window::entryKeyPress(Control box, int character) {
  return ended_ ? 0 : form_.keyPress(box, character);
}

void Form2Window::entryFocusLeaves(Control box, bool toAnotherControl) {
  if (!ended_) form_.focusLeaves(box, toAnotherControl);
}

}  // namespace orindel::win32
