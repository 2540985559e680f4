#include "command_line.h"

#include <windows.h>

#include "orindel_version.h"

namespace orindel::win32 {

namespace {

const wchar_t kUsage[] =
    L"使い方: orindel [--help | --version]\r\n"
    L"時間・分・秒の合計を計算するウィンドウを開きます。\r\n"
    L"\r\n"
    L"  --help, -h, /?  この説明を表示して終了します\r\n"
    L"  --version       版を表示して終了します\r\n";

bool writeTo(HANDLE output, const std::wstring& text) {
  if (!output || output == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(output, &mode)) {
    return WriteConsoleW(output, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  // A file or a pipe gets UTF-8.
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                      nullptr, nullptr);
  return WriteFile(output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) &&
         written == utf8.size();
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::wstring_view>& arguments) {
  for (std::wstring_view argument : arguments) {
    if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
      return {CommandLineAction::ShowHelp, {}};
    }
    if (argument == L"--version") return {CommandLineAction::ShowVersion, {}};
    return {CommandLineAction::RejectArgument, std::wstring(argument)};
  }
  return {};
}

CommandLineReply replyTo(const CommandLine& commandLine) {
  switch (commandLine.action) {
    case CommandLineAction::ShowHelp: return {kUsage, 0};
    case CommandLineAction::ShowVersion: return {L"Orindel " ORINDEL_DISPLAY_VERSION L"\r\n", 0};
    case CommandLineAction::RejectArgument:
      return {L"不明な引数です: " + commandLine.rejected + L"\r\n\r\n" + kUsage, 2};
    case CommandLineAction::OpenWindow: break;
  }
  return {{}, 0};
}

void showReply(const CommandLineReply& reply) {
  const std::wstring& text = reply.text;
  if (writeTo(GetStdHandle(reply.exitCode == 0 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), text)) {
    return;
  }
  // A program of the Windows subsystem started from a console gets no handles of it: join it.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = writeTo(console, text);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    if (written) return;
  }
  MessageBoxW(nullptr, text.c_str(), L"Orindel", MB_OK);
}

}  // namespace orindel::win32
