// Start-up benchmark under Wine: the time from process start to the first painted window, and the
// process memory once shown, for a program against one or more baselines, in interleaved runs.
//
// Usage: startup RUNS PROGRAM BASELINE...   (one line per program, then the program's ratios)
// "Painted" means that the window is visible and the pixel just inside its client area, read
// back from the screen, is no longer the black of the empty X screen (run Xvfb with -br).
#include <windows.h>
// windows.h first
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms;
  double workingSetMiB;
  double commitMiB;
};

struct WindowSearch {
  DWORD pid;
  HWND found;
};

HWND visibleWindowOf(DWORD pid) {
  WindowSearch search{pid, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<WindowSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool painted(HWND window) {
  POINT inside{2, 2};
  if (!ClientToScreen(window, &inside)) return false;
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, inside.x, inside.y);
  ReleaseDC(nullptr, screen);
  return pixel != CLR_INVALID && pixel != RGB(0, 0, 0);
}

// A Unix path becomes its Z: drive path, which is where Wine shows the Unix root.
std::wstring windowsPath(std::wstring path) {
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  std::ranges::replace(path, L'/', L'\\');
  return path;
}

bool oneRun(const std::wstring& program, Sample& sample) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
    return false;
  }
  bool shown = false;
  for (;;) {
    QueryPerformanceCounter(&now);
    sample.ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart);
    if (sample.ms > 30000) break;
    HWND window = visibleWindowOf(process.dwProcessId);
    if (window && painted(window)) {
      shown = true;
      break;
    }
    Sleep(1);
  }
  Sleep(300);  // let it settle before reading its memory
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  sample.workingSetMiB = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
  sample.commitMiB = static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!shown) std::fprintf(stderr, "%ls: no painted window in 30 s\n", program.c_str());
  return shown;
}

double median(std::vector<double> values) {
  std::ranges::sort(values);
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[(n / 2) - 1] + values[n / 2]) / 2;
}

struct Summary {
  double ms;
  double workingSetMiB;
  double commitMiB;
};

Summary summarise(const std::vector<Sample>& samples) {
  std::vector<double> ms;
  std::vector<double> workingSet;
  std::vector<double> commitBytes;
  for (const Sample& s : samples) {
    ms.push_back(s.ms);
    workingSet.push_back(s.workingSetMiB);
    commitBytes.push_back(s.commitMiB);
  }
  return {median(ms), median(workingSet), median(commitBytes)};
}

std::wstring baseName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 4) {
    std::fputs("usage: startup RUNS PROGRAM BASELINE...\n", stderr);
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::vector<std::wstring> programs;
  for (int i = 2; i < argc; ++i) programs.push_back(windowsPath(argv[i]));
  LocalFree(static_cast<HLOCAL>(argv));

  const size_t count = programs.size();
  std::vector<std::vector<Sample>> samples(count);
  Sample warm{};
  for (const std::wstring& program : programs) {  // warm the caches once for each
    if (!oneRun(program, warm)) return 1;
  }
  for (int run = 0; run < runs; ++run) {
    for (size_t k = 0; k < count; ++k) {  // interleaved, so that all see the same machine
      const size_t which = (k + static_cast<size_t>(run)) % count;  // and take turns going first
      Sample sample{};
      if (!oneRun(programs[which], sample)) return 1;
      samples[which].push_back(sample);
    }
  }
  std::vector<Summary> summary(count);
  for (size_t which = 0; which < count; ++which) {
    summary[which] = summarise(samples[which]);
    std::printf(
        "%-24ls start-up %7.1f ms   working set %6.1f MiB   commit %6.1f MiB   "
        "(%d runs, medians)\n",
        baseName(programs[which]).c_str(), summary[which].ms, summary[which].workingSetMiB,
        summary[which].commitMiB, runs);
  }
  for (size_t which = 1; which < count; ++which) {
    std::printf("against %-16ls start-up %.3f (goal <= 1.05)   working set %.3f   commit %.3f\n",
                baseName(programs[which]).c_str(), summary[0].ms / summary[which].ms,
                summary[0].workingSetMiB / summary[which].workingSetMiB,
                summary[0].commitMiB / summary[which].commitMiB);
  }
  return 0;
}
