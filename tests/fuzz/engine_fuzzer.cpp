// libFuzzer target: arbitrary UTF-16 texts in the three entry boxes and arbitrary signs through
// check and keisan. After every call the labels must equal the register's display texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "conversion.h"
#include "entry.h"
#include "fake_window.h"
#include "label_invariant.h"
#include "runtime_error.h"
#include "tally_register.h"

namespace {

using namespace orindel;

Text consumeText(FuzzedDataProvider& data) {
  const auto length = data.ConsumeIntegralInRange<std::size_t>(0, 24);
  Text text;
  for (std::size_t i = 0; i < length && data.remaining_bytes() > 0; ++i) {
    // Mostly characters that matter to the parser, sometimes any code unit at all.
    static constexpr char16_t kInteresting[] = u"0123456789+-,. eE\t\n５＋a";
    if (data.ConsumeBool()) {
      text += kInteresting[data.ConsumeIntegralInRange<std::size_t>(0, 21)];
    } else {
      text += data.ConsumeIntegral<char16_t>();
    }
  }
  return text;
}

void requireLabelsMatch(const TallyRegister& reg, const FakeWindow& window) {
  if (labelsDisagree(reg, window.label4, window.label5)) std::abort();
  if (reg.hhh != signedText(reg.hh) || reg.mmm != signedText(reg.mm) ||
      reg.sss != signedText(reg.ss)) {
    std::abort();
  }
  const Text count = window.label5Writes() > 1 ? signedText(reg.Ti) : plainText(reg.Ti);
  // The plain "0" only until the first calculation writes the count.
  if (window.label5 != count) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  TallyRegister reg;
  SignFlags flags{};
  FakeWindow window;
  initialiseRegister(reg, window);
  // Start now and then near the top of the count, to reach its overflow.
  if (data.ConsumeBool()) {
    reg.Ti = Integer(data.ConsumeIntegralInRange<int>(32760, 32767));
    window.setLabel5(signedText(reg.Ti));  // as the calculations that led there showed it
  }

  while (data.remaining_bytes() > 0) {
    window.cm = data.ConsumeIntegralInRange<int>(0, 2);
    window.option1 = data.ConsumeBool();
    for (int box = 1; box <= 3; ++box) window.boxes[box] = consumeText(data);
    const Text signs[] = {u"+", u"-", u"", u"x"};
    const Text& sign = signs[data.ConsumeIntegralInRange<int>(0, 3)];
    const Text label4 = window.label4;
    const Integer count = reg.Ti;
    try {
      check(reg, flags, window, sign);
    } catch (const RuntimeError& error) {
      if (error.number() != RuntimeError::kOverflow &&
          error.number() != RuntimeError::kInvalidArgument) {
        std::abort();
      }
      // A runtime error leaves the labels and the count as they were.
      if (window.label4 != label4 || reg.Ti != count) std::abort();
    }
    requireLabelsMatch(reg, window);
  }
  return 0;
}
