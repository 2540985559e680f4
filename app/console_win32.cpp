#include "console_win32.h"

#include <windows.h>

#include <cstdlib>

#include "form2.h"
#include "wide_text.h"

namespace orindel::win32 {

namespace {

std::string toUtf8(std::wstring_view text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                      nullptr, nullptr);
  return utf8;
}

// The reply's text as Windows shows it: wide, each line ending in CR LF.
std::wstring toWindowsText(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  std::wstring text;
  for (wchar_t c : wide) {
    if (c == L'\n') text += L'\r';
    text += c;
  }
  return text;
}

std::wstring messageTitle() { return toWide(Form2::kMessageTitle); }

bool writeTo(HANDLE output, const std::wstring& text) {
  if (!output || output == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(output, &mode)) {
    return WriteConsoleW(output, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
  // A file or a pipe gets UTF-8.
  const std::string utf8 = toUtf8(text);
  return WriteFile(output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) &&
         written == utf8.size();
}

}  // namespace

std::vector<std::string> commandLineArguments() {
  // The C runtime has already split the command line for wWinMain; asking shell32 to do it again
  // would load one more library at every start.
  std::vector<std::string> arguments;
  for (int i = 1; __wargv && i < __argc; ++i) arguments.push_back(toUtf8(__wargv[i]));
  return arguments;
}

void showReply(const CommandLineReply& reply) {
  const std::wstring text = toWindowsText(reply.text);
  if (writeTo(GetStdHandle(reply.toStandardError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text)) {
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
  MessageBoxW(nullptr, text.c_str(), messageTitle().c_str(), MB_OK);
}

void showStartFailure(std::wstring_view what, unsigned long error) {
  wchar_t* reason = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
  std::wstring text(what);
  text += L"\r\n";
  text += reason ? reason : L"";
  text += L"（エラー " + std::to_wstring(error) + L"）";
  LocalFree(reason);
  MessageBoxW(nullptr, text.c_str(), messageTitle().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace orindel::win32
