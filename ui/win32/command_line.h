// The program's command line on Windows: --help and --version, shown on the console it was
// started from, or in a message box when it has none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orindel::win32 {

enum class CommandLineAction { OpenWindow, ShowHelp, ShowVersion, RejectArgument };

struct CommandLine {
  CommandLineAction action = CommandLineAction::OpenWindow;
  std::wstring rejected;  // the argument that was not understood
};

// Reads the arguments after the program's name. "--help", "-h" and "/?" ask for help, "--version"
// for the version; the first one given wins, and anything else is rejected.
CommandLine parseCommandLine(const std::vector<std::wstring_view>& arguments);

// The text to show for an action other than OpenWindow, and the program's exit code after it.
struct CommandLineReply {
  std::wstring text;
  int exitCode;
};
CommandLineReply replyTo(const CommandLine& commandLine);

// Writes the reply's text to the standard output (the standard error for a rejected argument)
// when it is redirected, else to the console the program was started from, else shows it in a
// message box titled "Orindel".
void showReply(const CommandLineReply& reply);

}  // namespace orindel::win32
