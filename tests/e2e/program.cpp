#include "tests/e2e/program.h"

#include <algorithm>
#include <cstdio>

namespace {
// OSTRI_PROGRAM names another copy (an unpacked download) to drive instead.
std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"OSTRI_PROGRAM", path, MAX_PATH);
  return length && length < MAX_PATH ? std::wstring(path, length) : BuildFolder() + L"\\ostrimark.exe";
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

struct TBoxSearch {
  DWORD processId;
  HWND main;
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TBoxSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  // Hint windows are tool windows: they are not boxes.
  const bool tool = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  if (process == search->processId && IsWindowVisible(window) && !tool && window != search->main &&
      window != search->owner)
    search->found.push_back(window);
  return TRUE;
}

std::wstring TextOf(HWND window) {
  // WM_GETTEXT is marshalled across processes; GetWindowText of another process's control is not.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}
}  // namespace

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder = folder.substr(0, folder.find_last_of(L'\\'));  // .../tests
  return folder.substr(0, folder.find_last_of(L'\\'));    // .../build/<preset>
}

TProgram::TProgram(const std::wstring& arguments) {
  // Inherited by the program and so by the stand-in it starts: no stand-in box to answer.
  SetEnvironmentVariableW(L"OSTRI_STANDIN_QUIET", L"1");
  std::wstring command = L"\"" + ProgramPath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // Wine's start of a process has failed now and then right after another one ended (about
  // once in 100 starts of a suite, not reproduced alone): the harness tries again, and says so.
  for (int attempt = 0; attempt < 3 && !process_; ++attempt) {
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      process_ = info.hProcess;
      processId_ = info.dwProcessId;
      CloseHandle(info.hThread);
    } else {
      startError_ = GetLastError();
      std::fprintf(stderr, "e2e: starting the program failed with error %lu\n", startError_);
      Sleep(500);
    }
  }
}

DWORD TProgram::Run(const std::wstring& arguments, DWORD ms) {
  std::wstring command = L"\"" + ProgramPath() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return kNotRun;
  CloseHandle(info.hThread);
  DWORD code = kNotRun;
  if (WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0) {
    GetExitCodeProcess(info.hProcess, &code);
  } else {
    TerminateProcess(info.hProcess, 99);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hProcess);
  return code;
}

TProgram::~TProgram() {
  if (!process_) return;
  // A failed case may leave a box open: ending the process closes it too.
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
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

HWND TProgram::WaitForMain(DWORD ms) {
  main_ = WaitForWindow(L"Quarnel - Ostrimark", ms);
  return main_;
}

bool TProgram::Click(const std::wstring& caption) const {
  HWND button = main_ ? FindChild(main_, caption) : nullptr;
  return button && PostMessageW(button, BM_CLICK, 0, 0);
}

HWND TProgram::FolderEdit() const {
  // The main window's only child that keeps a selection the way an edit does.
  for (HWND child = main_ ? FindWindowExW(main_, nullptr, nullptr, nullptr) : nullptr; child;
       child = FindWindowExW(main_, child, nullptr, nullptr)) {
    DWORD_PTR code = 0;
    if (SendMessageTimeoutW(child, WM_GETDLGCODE, 0, 0, SMTO_ABORTIFHUNG, 2000, &code) && (code & DLGC_HASSETSEL))
      return child;
  }
  return nullptr;
}

bool TProgram::ClickFolderButton() const {
  // The button is drawn by the edit in the right end of its client area.
  HWND edit = FolderEdit();
  RECT client;
  if (!edit || !GetClientRect(edit, &client)) return false;
  const LPARAM at = MAKELPARAM(client.right - 8, client.bottom / 2);
  return PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(edit, WM_LBUTTONUP, 0, at);
}

std::wstring TProgram::FolderText() const {
  HWND edit = FolderEdit();
  return edit ? TextOf(edit) : L"";  // at any length: folder paths may pass 260 characters
}

bool TProgram::SetFolderText(const std::wstring& text) const {
  HWND edit = FolderEdit();
  if (!edit) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                             &result) != 0;
}

bool TProgram::WaitUntilResponsive(DWORD ms) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
}

std::vector<HWND> TProgram::OpenBoxes() const {
  TBoxSearch search{processId_, main_, main_ ? GetWindow(main_, GW_OWNER) : nullptr, {}};
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<TBox> TProgram::WaitForBox(DWORD ms) const {
  std::vector<HWND> boxes;
  if (!WaitFor([&] { return !(boxes = OpenBoxes()).empty(); }, ms)) return std::nullopt;
  return ReadBox(boxes.front());
}

bool TProgram::Answer(const TBox& box, const std::wstring& button) {
  HWND target = nullptr;
  for (HWND child = FindWindowExW(box.window, nullptr, L"Button", nullptr); child && !target;
       child = FindWindowExW(box.window, child, L"Button", nullptr)) {
    if (TextOf(child) == button) target = child;
  }
  if (!target || !PostMessageW(target, BM_CLICK, 0, 0)) return false;
  return WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, 3000);
}

TBox ReadBox(HWND window) {
  TBox box;
  box.window = window;
  box.caption = TextOf(window);
  if (HWND text = FindWindowExW(window, nullptr, L"Static", nullptr)) box.text = TextOf(text);
  std::vector<std::pair<LONG, std::wstring>> buttons;
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Button") != 0) continue;
    RECT r;
    GetWindowRect(child, &r);
    buttons.emplace_back(r.left, TextOf(child));
  }
  std::sort(buttons.begin(), buttons.end());
  for (auto& [left, caption] : buttons) box.buttons.push_back(caption);
  return box;
}
