// Orindel's command line, one for every platform: --help, --version, and the window options that
// the toolkit takes itself (Qt's, on Linux); on Windows also /? for help.
#pragma once

#include <string>
#include <vector>

namespace orindel {

// Which program reads the command line: the Qt one takes Qt's window options, the Win32 one takes
// /? as Windows programs do.
enum class Toolkit { Qt, Win32 };

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string error;  // for Error: one line saying what is wrong
};

// Reads the arguments (UTF-8) after the program's name. The first of help and version given wins;
// anything unknown is an error.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, Toolkit toolkit);

// What to print for an action other than Run, where, and the exit code to end with.
struct CommandLineReply {
  std::string text;  // UTF-8, lines ending in "\n"
  bool toStandardError = false;
  int exitCode = 0;
};
CommandLineReply replyTo(const CommandLine& commandLine);

}  // namespace orindel
