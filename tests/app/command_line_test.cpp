#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orindel::win32 {
namespace {

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(CommandLine, options_choose_the_reply_and_exit_code) {
  using Action = CommandLineAction;
  const struct Case {
    std::vector<std::wstring_view> arguments;
    Action action;
    int exitCode;
    std::wstring rejected;
  } cases[] = {
      {{}, Action::OpenWindow, 0, L""},
      {{L"--help"}, Action::ShowHelp, 0, L""},
      {{L"-h"}, Action::ShowHelp, 0, L""},
      {{L"/?"}, Action::ShowHelp, 0, L""},
      {{L"--version"}, Action::ShowVersion, 0, L""},
      {{L"--version", L"--help"}, Action::ShowVersion, 0, L""},
      {{L"--Version"}, Action::RejectArgument, 2, L"--Version"},
      {{L"C:\\total.txt"}, Action::RejectArgument, 2, L"C:\\total.txt"},
      {{L""}, Action::RejectArgument, 2, L""},
  };
  for (const Case& c : cases) {
    std::string input;
    for (auto argument : c.arguments)
      input.append("[").append(narrow(std::wstring(argument))).append("]");
    const CommandLine commandLine = parseCommandLine(c.arguments);
    EXPECT_EQ(commandLine.action, c.action) << "for arguments " << input;
    EXPECT_EQ(commandLine.rejected, c.rejected) << "for arguments " << input;
    const CommandLineReply reply = replyTo(commandLine);
    EXPECT_EQ(reply.exitCode, c.exitCode) << "for arguments " << input;
    EXPECT_EQ(reply.text.empty(), c.action == Action::OpenWindow) << "for arguments " << input;
    if (c.action == Action::RejectArgument) {
      EXPECT_NE(reply.text.find(c.rejected), std::wstring::npos) << "for arguments " << input;
    }
  }
}

}  // namespace
}  // namespace orindel::win32
