// Form2Window, the Win32 window of Orindel: builds Form2's fifteen controls as native controls and
// turns the window's messages into Form2's entry points. The behaviour itself lives in Form2
// (ui/form).
//
// Messages in: a key in an entry box reaches Form2 from the box's subclass (key-down, then the
// typed character), before the EDIT control acts on it; the EDIT's EN_CHANGE, sent to this window
// from inside the edit, even inside SetWindowTextW, runs Form2's change handler; BN_CLICKED of the
// three push buttons runs the click handlers. Form2 answers through Form2View: box texts, the
// window's width, the labels, the focus and message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "entry_box.h"
#include "fonts.h"
#include "form2.h"
#include "form2_view.h"
#include "geometry.h"
#include "layout.h"

namespace orindel::win32 {

class Form2Window : private Form2View, private EntryKeys {
 public:
  static constexpr const wchar_t* kClassName = L"OrindelForm2";

  // Builds the window and its controls and runs Form_Load; the caller shows it. `iconName` is the
  // program's icon among the resources of `instance`.
  Form2Window(HINSTANCE instance, const wchar_t* iconName);
  ~Form2Window() override;
  Form2Window(const Form2Window&) = delete;
  Form2Window& operator=(const Form2Window&) = delete;

  using MessageHandler = std::function<void(const std::wstring& text)>;
  // How messages are shown; the default is a modal message box. Tests record them.
  void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }

  // The behaviour and its state.
  const Form2& form() const { return form_; }

  // False when the window could not be created; creationError() then says why.
  bool created() const { return window_ != nullptr; }
  DWORD creationError() const { return creationError_; }
  HWND handle() const { return window_; }
  // Shows the window with the focus in Text1.
  void show(int showCommand);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void onCommand(int id, int code);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  void showTotalMenu(POINT at);

  void createControls();
  // Where control c goes at the window's DPI and width, in client pixels.
  RECT placeOf(Control c, const std::wstring& caption);
  HFONT fontOf(Control c);
  // Every control at its place and in its font for a new DPI, then fitToWidth.
  void setDpi(UINT dpi);
  void setIcons();
  // The window's size, and the total's and count's widths and fonts, for its width.
  void fitToWidth();
  void fitCaption(Control label);
  // Where a fitted label lies, with its caption on one line or wrapped as last fitted.
  PixelRect labelRect(Control label) const;
  void addTooltip();
  void updateOptionTabStops();
  bool wide() const { return isWide(outerWidthTwips_); }
  int dpi() const { return static_cast<int>(dpi_); }
  HWND control(Control c) const { return controls_[c]; }
  // The program ends: one quit message, after which nothing more reaches Form2.
  void quit();

  // Form2View
  Text boxText(Control box) const override;
  void setBoxText(Control box, const Text& text) override;
  void showTextStart(Control box) override;
  void setOuterWidth(int twips) override;
  void setLabelVisible(Control label, bool visible) override;
  void setCaption(Control label, const Text& caption) override;
  void focus(Control control) override;
  bool isSelected(Control option) const override;
  void message(const Text& text) override;
  void end() override;

  // EntryKeys
  bool entryKeyDown(Control box, int keyCode, int shift) override;
  int entryKeyPress(Control box, int character) override;
  void entryFocusLeaves(Control box, bool toAnotherControl) override;

  HINSTANCE instance_;
  const wchar_t* iconName_;
  HWND window_ = nullptr;
  DWORD creationError_ = 0;
  HWND controls_[kControlCount] = {};
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;
  HICON icons_[2] = {};  // small, big
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  int outerWidthTwips_ = kNarrowOuterTwips;
  std::wstring face_;
  FontCache fonts_;
  Font countCaptionFont_;
  // Label4 and Label5: their whole captions, the size they are drawn at, and whether even the
  // smallest size cut them short.
  struct FittedCaption {
    std::wstring text;
    double points = kWindowPoints;
    bool wrapped = false;
    bool elided = false;
  } captions_[2];
  bool ended_ = false;
  MessageHandler message_;
  Form2 form_{*this};
};

}  // namespace orindel::win32
