// The one runtime error of the tally engine: overflow or invalid argument, by number, with what it
// concerns so that its report can tell the user what happened.
#pragma once

#include <stdexcept>

namespace orindel {

class RuntimeError : public std::runtime_error {
 public:
  static constexpr int kInvalidArgument = 5;
  static constexpr int kOverflow = 6;

  // What the error concerns: the entry count, an entry box (box() says which), or nothing known.
  enum class Subject { Unknown, Count, EntryBox };

  explicit RuntimeError(int number, Subject subject = Subject::Unknown, int box = 0)
      : std::runtime_error(number == kOverflow ? "overflow" : "invalid argument"),
        number_(number),
        subject_(subject),
        box_(box) {}

  int number() const noexcept { return number_; }
  Subject subject() const noexcept { return subject_; }
  int box() const noexcept { return box_; }

  // The same error, said of the given subject.
  RuntimeError about(Subject subject, int box = 0) const {
    return RuntimeError(number_, subject, box);
  }

 private:
  int number_;
  Subject subject_;
  int box_;
};

[[noreturn]] inline void raiseOverflow() { throw RuntimeError(RuntimeError::kOverflow); }
[[noreturn]] inline void raiseInvalidArgument() {
  throw RuntimeError(RuntimeError::kInvalidArgument);
}

}  // namespace orindel
