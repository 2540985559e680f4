// Start-up before the window: the command line, and one plain line when the window cannot open.
#pragma once

#include <optional>

namespace orindel {

// Answers --help, --version and a wrong command line; returns the exit code to end with, or
// nothing when the window should open.
std::optional<int> answerCommandLine(int argc, char** argv);

// While it lives, the toolkit's start-up messages are held back. When the toolkit cannot start its
// window platform it prints one line saying why (no display, no compositor, no such platform) and
// ends the process with exit code 1, instead of the toolkit's advice and abort; otherwise, once
// released, the held messages go out as usual.
class DisplayCheck {
 public:
  DisplayCheck();
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;
};

}  // namespace orindel
