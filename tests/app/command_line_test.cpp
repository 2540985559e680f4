#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options.h"

namespace orindel {
namespace {

TEST(CommandLine, both_programs_read_the_same_options) {
  using Action = CommandLine::Action;
  const struct Case {
    std::vector<std::string> arguments;
    Toolkit toolkit;
    Action action;
    std::string error;
  } cases[] = {
      {{}, Toolkit::Win32, Action::Run, ""},
      {{"--help"}, Toolkit::Win32, Action::Help, ""},
      {{"-h"}, Toolkit::Qt, Action::Help, ""},
      {{"/?"}, Toolkit::Win32, Action::Help, ""},
      {{"/?"}, Toolkit::Qt, Action::Error, "unexpected argument '/?'"},
      {{"-v"}, Toolkit::Win32, Action::Version, ""},
      {{"-v"}, Toolkit::Qt, Action::Version, ""},
      {{"--version", "--help"}, Toolkit::Win32, Action::Version, ""},
      {{"--Version"}, Toolkit::Win32, Action::Error, "unrecognized option '--Version'"},
      {{"C:\\total.txt"}, Toolkit::Win32, Action::Error, "unexpected argument 'C:\\total.txt'"},
      {{""}, Toolkit::Win32, Action::Error, "unexpected argument ''"},
      {{"-platform", "offscreen"}, Toolkit::Qt, Action::Run, ""},
      {{"-platform", "offscreen"},
       Toolkit::Win32,
       Action::Error,
       "unrecognized option '-platform'"},
  };
  for (const Case& c : cases) {
    std::string input = c.toolkit == Toolkit::Qt ? "Qt:" : "Win32:";
    for (const std::string& argument : c.arguments) input += " [" + argument + "]";
    const CommandLine line = parseCommandLine(c.arguments, c.toolkit);
    EXPECT_EQ(line.action, c.action) << "for " << input;
    EXPECT_EQ(line.error, c.error) << "for " << input;
    const CommandLineReply reply = replyTo(line);
    EXPECT_EQ(reply.exitCode, c.action == Action::Error ? 2 : 0) << "for " << input;
    EXPECT_EQ(reply.toStandardError, c.action == Action::Error) << "for " << input;
    EXPECT_EQ(reply.text.empty(), c.action == Action::Run) << "for " << input;
  }
}

}  // namespace
}  // namespace orindel
