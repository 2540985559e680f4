#include "entry.h"

#include <cstdint>

#include "conversion.h"
#include "runtime_error.h"

namespace orindel {

namespace {

// Tests one end character: true and its flag set when it is a digit or a sign character.
bool classify(const Text& character, Integer& flag) {
  if (like(character, kDigitClass)) {
    flag = Integer(0);
    return true;
  }
  if (like(character, kSignClass)) {
    flag = Integer(1);
    return true;
  }
  return false;
}

// The text without the sign characters its flags mark at either end.
Text stripSigns(const Text& text, const std::array<Integer, 4>& flags) {
  const auto length = static_cast<std::int64_t>(text.size());
  const bool first = flags[1] == 1;
  const bool last = flags[2] == 1;
  if (first && last) return right(left(text, length - 1), length - 2);
  if (last) return left(text, length - 1);
  if (first) return right(text, length - 1);
  return text;
}

// The Integer that box n's text stands for; a runtime error is said of that box.
Integer parseBox(const Text& text, const std::array<Integer, 4>& flags, int box) {
  try {
    return toInteger(val(stripSigns(text, flags)));
  } catch (const RuntimeError& error) {
    throw error.about(RuntimeError::Subject::EntryBox, box);
  }
}

}  // namespace

void check(TallyRegister& reg, SignFlags& flags, TallyWindow& window, const Text& seg) {
  const Text texts[4] = {Text(), window.entryText(1), window.entryText(2), window.entryText(3)};

  if (texts[1] == u"0" && texts[2] == u"0" && texts[3] == u"0") {
    window.cle();
    return;
  }

  for (std::size_t box = 1; box <= 3; ++box) {
    if (!classify(left(texts[box], 1), flags[box][1]) ||
        !classify(right(texts[box], 1), flags[box][2])) {
      window.showMessage(kInvalidEntryMessage);
      window.cle();
      return;
    }
  }

  reg.h = parseBox(texts[1], flags[1], 1);
  reg.m = parseBox(texts[2], flags[2], 2);
  reg.s = parseBox(texts[3], flags[3], 3);
  keisan(reg, window, seg);
}

}  // namespace orindel
