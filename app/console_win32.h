// Where the Windows program writes its command line's answer: the console it was started from, a
// redirected standard stream, or a message box when it has neither.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace orindel::win32 {

// The program's arguments after its name, as UTF-8.
std::vector<std::string> commandLineArguments();

// Writes the reply's text to the standard output (the standard error for an error) when it is
// redirected, else to the console the program was started from, else shows it in a message box.
void showReply(const CommandLineReply& reply);

// Shows a failure to start in a message box, with the system's own words for `error` (a
// GetLastError code).
void showStartFailure(std::wstring_view what, unsigned long error);

}  // namespace orindel::win32
