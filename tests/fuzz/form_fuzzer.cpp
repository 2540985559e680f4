// libFuzzer target for the window's behaviour: arbitrary bytes drive a freshly loaded Form2 through
// its entry points (clicks, key-down, key-press, change, the focus leaving a box) and through a
// fake window whose box texts, typed, pasted or assigned, raise nested change events as both
// toolkits do. After every event the window must hold together (requireConsistent, requireOChain
// and CheckedView), or the target aborts; no exception may escape.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "fake_view.h"
#include "label_invariant.h"

namespace {

using namespace orindel;

// The fake window, also holding Form2 to what it may do to a box: an assignment of its own either
// empties the box or drops its last character (cle, op), never more.
class CheckedView : public FakeView {
 public:
  // Set for one assignment made by the fuzzer, as a toolkit would make it.
  bool fuzzerWrites = false;

  void setBoxText(Control c, const Text& text) override {
    const bool byForm2 = !fuzzerWrites;
    fuzzerWrites = false;
    const Text& before = boxes[number(c)];
    if (byForm2 && !text.empty() && text != before.substr(0, before.size() - 1)) std::abort();
    FakeView::setBoxText(c, text);
  }
};

Control consumeControl(FuzzedDataProvider& data) {
  return static_cast<Control>(data.ConsumeIntegralInRange<int>(0, kControlCount - 1));
}

// Mostly the keys Form2 acts on or a toolkit sends often, sometimes any code at all.
int consumeKeyCode(FuzzedDataProvider& data) {
  static constexpr int kCodes[] = {
      kVkNone,    kVkBack,  kVkReturn,  kVkShift,       kVkControl,  kVkMenu,
      kVkEscape,  kVkHome,  kVkLeft,    kVkDelete,      kVk0,        kVk0 + 1,
      kVk0 + 5,   kVk0 + 9, kVkO,       kVkNumpad0 + 5, kVkAdd,      kVkSubtract,
      kVkDecimal, kVkOem1,  kVkOemPlus, kVkOemComma,    kVkOemMinus, kVkOemPeriod};
  if (data.ConsumeBool()) return data.ConsumeIntegral<std::int16_t>();
  return kCodes[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kCodes) - 1)];
}

char16_t consumeCharacter(FuzzedDataProvider& data) {
  static constexpr char16_t kCharacters[] = u"0123456789+-,.eE oO\r=_５＋";
  if (data.ConsumeBool()) return data.ConsumeIntegral<char16_t>();
  return kCharacters[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kCharacters) - 2)];
}

// A text for a paste or an assignment; now and then a long one, for the O key's repetition.
Text consumeText(FuzzedDataProvider& data) {
  const std::size_t length = data.ConsumeBool() ? data.ConsumeIntegralInRange<std::size_t>(0, 12)
                                                : data.ConsumeIntegralInRange<std::size_t>(0, 3000);
  Text text;
  while (text.size() < length && data.remaining_bytes() > 0) text += consumeCharacter(data);
  return text;
}

struct Before {
  Text label4, label5;
  Integer cm;
};

Before before(const CheckedView& view, const Form2& form) {
  return {view.captions[4], view.captions[5], form.panelFlag()};
}

void requireConsistent(const CheckedView& view, const Form2& form, const Before& was, int escapes) {
  const TallyRegister& reg = form.tally();
  if (labelsDisagree(reg, view.captions[4], view.captions[5])) std::abort();
  // The program ends only through Esc in an entry box.
  if (view.ends != escapes) std::abort();
  // The panel flag, the window's width and the count's visibility agree.
  const Integer cm = form.panelFlag();
  if (cm != 0 && cm != 1) std::abort();
  if (view.outerWidth != (cm == 1 ? kWideOuterTwips : kNarrowOuterTwips)) std::abort();
  if (view.labelVisible[5] != (cm == 1) || view.labelVisible[6] != (cm == 1)) std::abort();
  // A calculation ends with the focus in Text1 and no key pending.
  if (view.captions[4] != was.label4 || view.captions[5] != was.label5) {
    if (form.keyCode() != -1 || view.focused != 1) std::abort();
  }
}

// A change of box n that found the O key pending and `length` characters in the box: one toggle
// per character, the box emptied, the focus in Text1 and the key still pending.
void requireOChain(const CheckedView& view, const Form2& form, int n, std::size_t length,
                   const Before& was) {
  if ((form.panelFlag() != was.cm) != (length % 2 == 1)) std::abort();
  if (!view.boxes[n].empty() || view.focused != 1 || form.keyCode() != kVkO) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  CheckedView view;
  Form2 form(view);
  view.form = &form;
  form.load();
  int escapes = 0;

  try {
    while (data.remaining_bytes() > 0) {
      const Before was = before(view, form);
      const Integer kc = form.keyCode();
      const int n = data.ConsumeIntegralInRange<int>(1, 3);
      const Control box = FakeView::box(n);
      // The length box n has when a change event of the action below finds the O key pending;
      // 0 when none does.
      std::size_t oChain = 0;
      // A failing read stops every handler that reads a box half-way, so no chain is complete.
      view.readsFail = data.ConsumeIntegralInRange<int>(0, 63) == 0;
      switch (data.ConsumeIntegralInRange<int>(0, 8)) {
        case 0: form.click(consumeControl(data)); break;
        case 1: {
          // A key that types nothing.
          const Control control = consumeControl(data);
          const int code = consumeKeyCode(data);
          const bool goesOn = form.keyDown(control, code, data.ConsumeIntegralInRange<int>(0, 7));
          const bool ends = code == kVkEscape && kControls[control].kind == ControlKind::EntryBox;
          if (goesOn == ends) std::abort();
          escapes += ends ? 1 : 0;
          break;
        }
        case 2: {
          const Control control = consumeControl(data);
          const char16_t character = consumeCharacter(data);
          const int typed = form.keyPress(control, character);
          const bool dropped = character == 13 && kControls[control].kind == ControlKind::EntryBox;
          if (typed != (dropped ? 0 : character)) std::abort();
          break;
        }
        case 3: {
          // A change event alone, in box n or any other control.
          const Control control = data.ConsumeBool() ? box : consumeControl(data);
          if (control == box && kc == kVkO && !view.boxes[n].empty()) oChain = view.boxes[n].size();
          form.change(control);
          break;
        }
        case 4: {
          // One whole keystroke in box n.
          const int code = consumeKeyCode(data);
          const char16_t character = consumeCharacter(data);
          if (code == kVkO && character != 0 && character != 13) oChain = view.boxes[n].size() + 1;
          escapes += code == kVkEscape ? 1 : 0;
          view.key(n, code, data.ConsumeIntegralInRange<int>(0, 7), character);
          break;
        }
        case 5: {
          const Text text = consumeText(data);
          if (kc == kVkO && !(view.boxes[n] + text).empty())
            oChain = view.boxes[n].size() + text.size();
          view.paste(n, text);
          break;
        }
        case 6: {
          // The box's text set as a toolkit sets it, its change event nested.
          const Text text = consumeText(data);
          if (kc == kVkO && !text.empty() && text != view.boxes[n]) oChain = text.size();
          view.fuzzerWrites = true;
          view.setBoxText(box, text);
          break;
        }
        case 7:
          view.caret[n] = data.ConsumeIntegralInRange<std::size_t>(0, view.boxes[n].size());
          form.focusLeaves(consumeControl(data), data.ConsumeBool());
          break;
        case 8: view.option1 = !view.option1; break;
      }
      const bool readsFailed = view.readsFail;
      view.readsFail = false;
      requireConsistent(view, form, was, escapes);
      if (oChain > 0 && !readsFailed) requireOChain(view, form, n, oChain, was);
    }
  } catch (...) {
    std::abort();  // an exception escaped an entry point
  }
  return 0;
}
