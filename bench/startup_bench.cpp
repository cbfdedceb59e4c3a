// Start-up benchmark: time from process start until the program first waits for input with its
// window shown and painted, median of repeated runs, for Ostrimark and for a bare window
// program; also the GDI and USER object counts once Ostrimark is up.
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>
#include "tests/support/window_count.h"

namespace {
std::wstring Beside(const wchar_t* file) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder = folder.substr(0, folder.find_last_of(L'\\'));  // .../bench
  folder = folder.substr(0, folder.find_last_of(L'\\'));  // .../build/<preset>
  return folder + L"\\" + file;
}

BOOL CALLBACK CloseProcessWindows(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(processId) && IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

struct TRun { double seconds; DWORD gdi, user, windows; };

TRun StartOnce(const std::wstring& exe) {
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  auto begin = std::chrono::steady_clock::now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return {-1, 0, 0, 0};
  WaitForInputIdle(info.hProcess, 30000);
  auto end = std::chrono::steady_clock::now();
  TRun run{std::chrono::duration<double>(end - begin).count(), GetGuiResources(info.hProcess, GR_GDIOBJECTS),
           GetGuiResources(info.hProcess, GR_USEROBJECTS),
           static_cast<DWORD>(window_count::WindowsOf(info.dwProcessId))};
  EnumWindows(CloseProcessWindows, static_cast<LPARAM>(info.dwProcessId));
  if (WaitForSingleObject(info.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return run;
}

struct TStats { double median, min, max; };

TStats Stats(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
  // Each run of Ostrimark is set against the bare window started just before it, so the
  // machine's drift during the benchmark cancels out of the ratio.
  std::vector<double> program, minimal, ratios;
  TRun last{};
  StartOnce(Beside(L"bench\\minimal_window.exe"));  // warm the caches once
  for (int i = 0; i < runs; ++i) {
    minimal.push_back(StartOnce(Beside(L"bench\\minimal_window.exe")).seconds);
    last = StartOnce(Beside(L"ostrimark.exe"));
    program.push_back(last.seconds);
    ratios.push_back(program.back() / minimal.back());
  }
  const TStats ours = Stats(program), bare = Stats(minimal), ratio = Stats(ratios);
  printf("start-up over %d runs: ostrimark median %.3f s (min %.3f, max %.3f), minimal window median %.3f s "
         "(min %.3f, max %.3f)\n", runs, ours.median, ours.min, ours.max, bare.median, bare.min, bare.max);
  printf("start-up ratio: median %.2f (min %.2f, max %.2f) (goal <= 1.3)\n", ratio.median, ratio.min, ratio.max);
  printf("objects after start: GDI %lu, USER %lu (as the system reports them), windows %lu\n", last.gdi, last.user,
         last.windows);
  return 0;
}
