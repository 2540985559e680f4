// Start-up before the window: the command line, and a plain word when there is no display.
#pragma once

#include <optional>

namespace orindel {

// Answers --help, --version and a wrong command line; returns the exit code to end with, or
// nothing when the window should open.
std::optional<int> answerCommandLine(int argc, char** argv);

// While it lives, the toolkit's start-up messages are held back. When the toolkit cannot connect
// to any display it prints one line saying so and ends the process with exit code 1, instead of
// the toolkit's advice and abort; otherwise, once released, the held messages go out as usual.
class DisplayCheck {
 public:
  DisplayCheck();
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;
};

}  // namespace orindel
