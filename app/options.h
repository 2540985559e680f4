// Orindel's command line: --help, --version, and the window options the toolkit takes itself.
#pragma once

#include <string>
#include <vector>

namespace orindel {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string error;  // for Error: one line saying what is wrong
};

// Reads the arguments after the program's name. Options the toolkit takes (-platform NAME,
// -style NAME, -display NAME ...) are left for it; anything else unknown is an error.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The help text, ending in a newline.
std::string usageText();

// The version line, ending in a newline.
std::string versionText();

}  // namespace orindel
