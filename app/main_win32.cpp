// Orindel on Windows: reads the command line, then starts the one window.
#include <windows.h>
// After windows.h, which they need:
#include <commctrl.h>
#include <shellapi.h>

#include <string_view>
#include <vector>

#include "command_line.h"
#include "form2_window.h"
#include "message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace orindel::win32;

  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring_view> arguments;
  for (int i = 1; argv && i < count; ++i) arguments.emplace_back(argv[i]);
  const CommandLine commandLine = parseCommandLine(arguments);
  LocalFree(argv);
  if (commandLine.action != CommandLineAction::OpenWindow) {
    const CommandLineReply reply = replyTo(commandLine);
    showReply(reply);
    return reply.exitCode;
  }

  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Form2Window window(instance, L"IDI_ICON1");
  if (!window.created()) return 1;
  window.show(showCommand);
  return runMessageLoop(window.handle());
}
