// A window for Form2's tests and its fuzz target: holds what a toolkit would show, records messages
// and ends, and types keystrokes the way a toolkit delivers them (key-down, key-press, the
// character, change).
#pragma once

#include <new>
#include <string>
#include <vector>

#include "fake_window.h"
#include "form2.h"
#include "form2_view.h"

namespace orindel {

class FakeView : public Form2View {
 public:
  Form2* form = nullptr;
  // Entry boxes and labels by their number: boxes[1] is Text1, captions[4] Label4.
  Text boxes[4];
  std::size_t caret[4] = {};
  int outerWidth = 0;
  bool labelVisible[7] = {};
  Text captions[6];
  bool option1 = true;
  int focused = 1;  // the entry box with the focus, 0 for another control
  std::vector<std::string> messages;
  int ends = 0;
  // Reading a box fails as a huge paste would, with an allocation failure.
  bool readsFail = false;

  static int number(Control c) {
    switch (c) {
      case Text1:
      case Label1: return 1;
      case Text2:
      case Label2: return 2;
      case Text3:
      case Label3: return 3;
      case Label4: return 4;
      case Label5: return 5;
      case Label6: return 6;
      default: return 0;
    }
  }
  static Control box(int n) { return static_cast<Control>(Text1 + n - 1); }

  Text boxText(Control c) const override {
    if (readsFail) throw std::bad_alloc();
    return boxes[number(c)];
  }
  void setBoxText(Control c, const Text& text) override {
    const int n = number(c);
    // As the toolkits do: no change event when the text stays the same.
    if (boxes[n] == text) return;
    boxes[n] = text;
    caret[n] = text.size();
    form->change(c);
  }
  void showTextStart(Control c) override { caret[number(c)] = 0; }
  void setOuterWidth(int twips) override { outerWidth = twips; }
  void setLabelVisible(Control label, bool visible) override {
    labelVisible[number(label)] = visible;
  }
  void setCaption(Control label, const Text& caption) override {
    captions[number(label)] = caption;
  }
  void focus(Control c) override { focused = number(c); }
  bool isSelected(Control option) const override { return option == Option1 ? option1 : !option1; }
  void message(const Text& text) override { messages.push_back(utf8(text)); }
  void end() override { ++ends; }

  // One keystroke in box n: its key-down; then, unless that ended the program, the key-press of the
  // character it types (0 for none), the character at the caret and the change event.
  void key(int n, int keyCode, int shift = 0, char16_t character = 0) {
    focused = n;
    if (!form->keyDown(box(n), keyCode, shift) || character == 0) return;
    const int typed = form->keyPress(box(n), character);
    if (typed == 0) return;
    boxes[n].insert(caret[n], 1, static_cast<char16_t>(typed));
    ++caret[n];
    form->change(box(n));
  }

  // Types digits or other plain characters into box n, each with its own key code.
  void type(int n, const Text& text) {
    for (char16_t c : text) key(n, keyCodeOf(c), 0, c);
  }

  // Fills the three boxes by typing, as a person would.
  void fill(const Text& t1, const Text& t2, const Text& t3) {
    type(1, t1);
    type(2, t2);
    type(3, t3);
  }

  // A change that comes without a key, as a paste through the context menu.
  void paste(int n, const Text& text) {
    boxes[n].insert(caret[n], text);
    caret[n] += text.size();
    form->change(box(n));
  }

  // Empties the boxes behind Form2's back, as a fresh start for the next case.
  void clear() {
    for (int n = 1; n <= 3; ++n) {
      boxes[n].clear();
      caret[n] = 0;
    }
  }

  std::string shown() const { return utf8(boxes[1]) + "|" + utf8(boxes[2]) + "|" + utf8(boxes[3]); }

 private:
  static int keyCodeOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return c;
    if (c >= u'a' && c <= u'z') return c - u'a' + u'A';
    if (c == u'.') return 190;
    if (c == u',') return 188;
    return 255;
  }
};

// A Form2 on a FakeView of its own, loaded as a toolkit does before it shows the window.
struct LoadedForm {
  LoadedForm() {
    view.form = &form;
    form.load();
  }
  LoadedForm(const LoadedForm&) = delete;
  LoadedForm& operator=(const LoadedForm&) = delete;
  ~LoadedForm() = default;

  FakeView view;
  Form2 form{view};
};

}  // namespace orindel
