#include "app/win32_system.h"
#include "framework/modal_wait.h"
#include "framework/shell_calls.h"
#include "framework/strings.h"

TKeyOpen TWin32System::RegOpenKey(HKEY root, const std::string& path, REGSAM access) {
  return Open(root, path, access, false);
}

TKeyOpen TWin32System::RegCreateKey(HKEY root, const std::string& path, REGSAM access) {
  return Open(root, path, access, true);
}

TKeyOpen TWin32System::Open(HKEY root, const std::string& path, REGSAM access, bool create) {
  registry_ = std::make_unique<TRegistry>();
  registry_->SetRootKey(root);
  registry_->SetAccess(access);
  if (registry_->OpenKey(path, create)) return TKeyOpen::Opened;
  return registry_->LastOpenStatus() == ERROR_ACCESS_DENIED ? TKeyOpen::Denied : TKeyOpen::Missing;
}

std::string TWin32System::RegReadString(const std::string& name) {
  return registry_ ? registry_->ReadString(name) : std::string();
}

void TWin32System::RegWriteString(const std::string& name, const std::string& value) {
  if (registry_) registry_->WriteString(name, value);
}

bool TWin32System::RegDeleteValue(const std::string& name) { return registry_ && registry_->DeleteValue(name); }

void TWin32System::RegCloseKey() { registry_.reset(); }

bool TWin32System::FileExists(const std::string& fileName) { return ::FileExists(fileName); }

int TWin32System::ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return MessageDlg(text, type, buttons, 0);
}

void TWin32System::ShellOpen(const std::string& file) {
  shell::ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

HANDLE TWin32System::ShellStart(SHELLEXECUTEINFOA& info) {
  shell::ShellExecuteExA(&info);
  return info.hProcess;
}

DWORD TWin32System::WaitForInputIdle(HANDLE process, DWORD milliseconds) {
  return process ? ::WaitForInputIdle(process, milliseconds) : WAIT_FAILED;
}

HANDLE TWin32System::ShellStartWide(SHELLEXECUTEINFOW& info, DWORD& error) {
  info.hProcess = nullptr;
  error = 0;
  if (!shell::ShellExecuteExW(&info)) {
    // A failure must carry a code, or the caller would take it for a start without a handle.
    error = GetLastError();
    if (!error) error = static_cast<DWORD>(reinterpret_cast<INT_PTR>(info.hInstApp));
    if (!error) error = ERROR_GEN_FAILURE;
  }
  return info.hProcess;
}

std::optional<DWORD> TWin32System::WaitForProcessExit(HANDLE process) {
  DWORD code = 0;
  if (!process || !WaitKeepingWindowsPainted(process) || !GetExitCodeProcess(process, &code)) return std::nullopt;
  return code;
}

std::wstring TWin32System::ProgramFile() {
  std::wstring file(MAX_PATH, L'\0');
  // A full buffer means a longer path was cut: grow and ask again.
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
    if (length < file.size()) {
      file.resize(length);
      return file;
    }
    file.resize(file.size() * 2);
  }
}

void TWin32System::CloseHandle(HANDLE handle) {
  if (handle) ::CloseHandle(handle);
}

HWND TWin32System::FindWindowByClass(const std::string& className) { return FindWindowA(className.c_str(), nullptr); }

HWND TWin32System::FindChildWindow(HWND parent, const std::string& className) {
  if (!parent) return nullptr;
  // Depth first in window order: the editor nests its tree deeper on some systems.
  for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(parent, child, nullptr, nullptr)) {
    char name[256] = "";
    GetClassNameA(child, name, sizeof(name));
    if (_stricmp(name, className.c_str()) == 0) return child;
    if (HWND inner = FindChildWindow(child, className)) return inner;
  }
  return nullptr;
}

void TWin32System::ShowWindow(HWND window, int command) { ::ShowWindow(window, command); }
void TWin32System::SetForegroundWindow(HWND window) { ::SetForegroundWindow(window); }

LRESULT TWin32System::SendMessageTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(window, msg, wParam, lParam);
}

void TWin32System::Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

bool TWin32System::Is64BitWindows() {
#if defined(_WIN64)
  return true;
#else
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}
