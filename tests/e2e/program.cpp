#include "tests/e2e/program.h"

namespace {
std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder = folder.substr(0, folder.find_last_of(L'\\'));  // .../tests
  folder = folder.substr(0, folder.find_last_of(L'\\'));  // .../build/<preset>
  return folder + L"\\ostrimark.exe";
}

struct TWindowSearch {
  DWORD processId;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  if (owner == search->processId && IsWindowVisible(window) && *search->caption == text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

TProgram::TProgram() {
  std::wstring command = L"\"" + ProgramPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    CloseHandle(info.hThread);
  }
}

TProgram::~TProgram() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
  CloseHandle(process_);
}

HWND TProgram::WaitForWindow(const std::wstring& caption, DWORD ms) const {
  for (DWORD waited = 0; waited <= ms; waited += 100) {
    TWindowSearch search{processId_, &caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(100);
  }
  return nullptr;
}

DWORD TProgram::WaitForExit(DWORD ms) const {
  WaitForSingleObject(process_, ms);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

HWND TProgram::FindChild(HWND parent, const std::wstring& caption) {
  for (HWND child = FindWindowExW(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(parent, child, nullptr, nullptr)) {
    wchar_t text[256] = L"";
    GetWindowTextW(child, text, 256);
    if (caption == text) return child;
    if (HWND inner = FindChild(child, caption)) return inner;
  }
  return nullptr;
}
