// Orindel on Windows: reads the command line, then starts the one window.
#include <windows.h>
// After windows.h, which it needs:
#include <commctrl.h>

#include "console_win32.h"
#include "form2_window.h"
#include "message_loop.h"
#include "options.h"

// The parameters keep the names that Windows' own declaration gives them.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/,
                    int nShowCmd) {
  using namespace orindel;

  const CommandLine commandLine = parseCommandLine(win32::commandLineArguments(), Toolkit::Win32);
  if (commandLine.action != CommandLine::Action::Run) {
    const CommandLineReply reply = replyTo(commandLine);
    win32::showReply(reply);
    return reply.exitCode;
  }

  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  win32::Form2Window window(instance, L"IDI_ICON1");
  if (!window.created()) {
    win32::showStartFailure(L"Orindel のウィンドウを開けませんでした。", GetLastError());
    return 1;
  }
  window.show(nShowCmd);
  return win32::runMessageLoop(window.handle());
}
