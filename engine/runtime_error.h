// The one runtime error of the tally engine: overflow or invalid argument, by number.
#pragma once

#include <stdexcept>

namespace orindel {

class RuntimeError : public std::runtime_error {
 public:
  static constexpr int kInvalidArgument = 5;
  static constexpr int kOverflow = 6;

  explicit RuntimeError(int number)
      : std::runtime_error(number == kOverflow ? "overflow" : "invalid argument"),
        number_(number) {}

  int number() const noexcept { return number_; }

 private:
  int number_;
};

[[noreturn]] inline void raiseOverflow() { throw RuntimeError(RuntimeError::kOverflow); }
[[noreturn]] inline void raiseInvalidArgument() {
  throw RuntimeError(RuntimeError::kInvalidArgument);
}

}  // namespace orindel
