// The real system behind TSystemPort.
#pragma once
#include <memory>
#include "app/system_port.h"
#include "framework/registry.h"

class TWin32System : public TSystemPort {
public:
  TKeyOpen RegOpenKey(HKEY root, const std::string& path, REGSAM access) override;
  TKeyOpen RegCreateKey(HKEY root, const std::string& path, REGSAM access) override;
  std::string RegReadString(const std::string& name) override;
  void RegWriteString(const std::string& name, const std::string& value) override;
  bool RegDeleteValue(const std::string& name) override;
  void RegCloseKey() override;
  bool FileExists(const std::string& fileName) override;
  int ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  void ShellOpen(const std::string& file) override;
  HANDLE ShellStart(SHELLEXECUTEINFOA& info) override;
  DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds) override;
  HANDLE ShellStartWide(SHELLEXECUTEINFOW& info, DWORD& error) override;
  std::optional<DWORD> WaitForProcessExit(HANDLE process) override;
  std::wstring ProgramFile() override;
  void CloseHandle(HANDLE handle) override;
  HWND FindWindowByClass(const std::string& className) override;
  HWND FindChildWindow(HWND parent, const std::string& className) override;
  void ShowWindow(HWND window, int command) override;
  void SetForegroundWindow(HWND window) override;
  LRESULT SendMessageTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Sleep(DWORD milliseconds) override;
  bool Is64BitWindows() override;
private:
  TKeyOpen Open(HKEY root, const std::string& path, REGSAM access, bool create);
  std::unique_ptr<TRegistry> registry_;
};
