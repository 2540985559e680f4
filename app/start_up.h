// Start-up before the window: the command line, the input method, and one plain line when the
// window cannot open.
#pragma once

#include <optional>

namespace orindel {

// Answers --help, --version and a wrong command line; returns the exit code to end with, or
// nothing when the window should open.
std::optional<int> answerCommandLine(int argc, char** argv);

// Keeps every input method out of the program, whatever the desktop asks for: no control of the
// window takes text that needs one, and the entry boxes take half-width digits and signs only.
// Call it before the application is made.
void keepInputMethodsOut();

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
