// A window for the engine tests and the fuzz target: holds the three entry texts and records every
// call in order.
#pragma once

#include <string>
#include <vector>

#include "integer.h"
#include "tally_window.h"
#include "text.h"

namespace orindel {

inline std::string utf8(const Text& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

class FakeWindow : public TallyWindow {
 public:
  Text boxes[4];
  int cm = 0;
  bool option1 = true;
  Text label4, label5;
  // "message:<text>", "label4:<caption>", "label5:<caption>", "cle".
  std::vector<std::string> calls;

  void setEntries(const Text& t1, const Text& t2, const Text& t3) {
    boxes[1] = t1;
    boxes[2] = t2;
    boxes[3] = t3;
  }

  // How many times the count's caption was written, start-up included. Counted as it happens: the
  // fuzz target asks after every calculation, and reading the calls back each time made a long
  // input quadratic.
  int label5Writes() const { return label5Writes_; }

  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& call : calls)
      if (call.starts_with("message:")) out.push_back(call.substr(8));
    return out;
  }

  Text entryText(int box) const override { return boxes[box]; }
  void cle() override {
    boxes[1].clear();
    boxes[2].clear();
    boxes[3].clear();
    calls.emplace_back("cle");
  }
  void showMessage(const Text& prompt) override { calls.push_back("message:" + utf8(prompt)); }
  Integer panelFlag() const override { return Integer(cm); }
  bool option1Selected() const override { return option1; }
  void setLabel4(const Text& caption) override {
    label4 = caption;
    calls.push_back("label4:" + utf8(caption));
  }
  void setLabel5(const Text& caption) override {
    label5 = caption;
    ++label5Writes_;
    calls.push_back("label5:" + utf8(caption));
  }

 private:
  int label5Writes_ = 0;
};

}  // namespace orindel
