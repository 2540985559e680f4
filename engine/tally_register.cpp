#include "tally_register.h"

#include "conversion.h"
#include "runtime_error.h"

namespace orindel {

namespace {

constexpr Currency kOne{Integer(1)};
constexpr Currency kSixty{Integer(60)};

// The count after one more addition; at 32767 the overflow error, said of the count.
Integer raisedCount(Integer count) {
  try {
    return count + Integer(1);
  } catch (const RuntimeError& error) {
    throw error.about(RuntimeError::Subject::Count);
  }
}

void add(TallyRegister& reg) {
  // Raising the count first is a deliberate departure from the order of the arithmetic: at 32767
  // the overflow must leave the total as it was instead of holding an entry that no label shows.
  const Integer count = raisedCount(reg.Ti);

  Currency seconds = reg.ss + Currency(reg.s);
  Currency minutes = reg.mm + Currency(reg.m);
  Currency hours = reg.hh + Currency(reg.h);
  // Carry in single steps of 60; a negative field is never borrowed into.
  while (seconds > 59) {
    minutes = minutes + kOne;
    seconds = seconds - kSixty;
  }
  while (minutes > 59) {
    hours = hours + kOne;
    minutes = minutes - kSixty;
  }
  reg.ss = seconds;
  reg.mm = minutes;
  reg.hh = hours;
  reg.Ti = count;
}

// Returns false, having changed nothing, when the result would be below zero.
bool subtract(TallyRegister& reg) {
  Currency seconds = reg.ss - Currency(reg.s);
  Currency minutes = reg.mm - Currency(reg.m);
  Currency hours = reg.hh - Currency(reg.h);
  // Borrow in single steps of 60; a field above 59 is never carried.
  while (seconds < 0) {
    seconds = seconds + kSixty;
    minutes = minutes - kOne;
  }
  while (minutes < 0) {
    minutes = minutes + kSixty;
    hours = hours - kOne;
  }
  if (hours < 0) return false;
  reg.hh = hours;
  reg.mm = minutes;
  reg.ss = seconds;
  reg.Ti = reg.Ti > 0 ? reg.Ti - Integer(1) : Integer(0);
  return true;
}

void warnIfOverLimit(const TallyRegister& reg, TallyWindow& window) {
  if (window.panelFlag() != 1) return;
  if (window.option1Selected()) {
    if (reg.hh > 73) window.showMessage(kWarning74Message);
  } else {
    if (reg.hh > 79) window.showMessage(kWarning80Message);
  }
}

void refreshDisplay(TallyRegister& reg, TallyWindow& window) {
  reg.hhh = signedText(reg.hh);
  reg.mmm = signedText(reg.mm);
  reg.sss = signedText(reg.ss);
  window.setLabel4(totalText(reg));
  window.setLabel5(signedText(reg.Ti));
}

}  // namespace

Text totalText(const TallyRegister& reg) { return reg.hhh + u":" + reg.mmm + u":" + reg.sss; }

void initialiseRegister(TallyRegister& reg, TallyWindow& window) {
  reg.h = Integer(0);
  reg.hh = Currency();
  reg.hhh = signedText(reg.hh);
  reg.m = Integer(0);
  reg.mm = Currency();
  reg.mmm = signedText(reg.mm);
  reg.s = Integer(0);
  reg.ss = Currency();
  reg.sss = signedText(reg.ss);
  reg.Ti = Integer(0);
  window.setLabel4(totalText(reg));
  window.setLabel5(plainText(reg.Ti));
}

void keisan(TallyRegister& reg, TallyWindow& window, const Text& se) {
  if (se == u"+") {
    add(reg);
  } else if (se == u"-") {
    if (!subtract(reg)) {
      window.showMessage(kRefusedMessage);
      window.cle();
      return;
    }
  }
  warnIfOverLimit(reg, window);
  refreshDisplay(reg, window);
  window.cle();
}

}  // namespace orindel
