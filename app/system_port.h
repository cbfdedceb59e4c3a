// The operations the main window's commands need of the system, and nothing more, so each
// command can run against the real system or against a recording fake in the tests.
#pragma once
#include <optional>
#include <string>
#include <windows.h>
#include <shellapi.h>
#include "framework/msgbox.h"

// How an open of a registry key ended: a refusal is told apart so the user can be told why.
enum class TKeyOpen { Opened, Missing, Denied };

class TSystemPort {
public:
  virtual ~TSystemPort() = default;

  // One registry key at a time: opened or created, read, written or a value removed, closed.
  virtual TKeyOpen RegOpenKey(HKEY root, const std::string& path, REGSAM access) = 0;
  // Opens the key, making it and any missing parent with the security their parents give;
  // Missing when it could be neither opened nor made for another reason than a refusal.
  virtual TKeyOpen RegCreateKey(HKEY root, const std::string& path, REGSAM access) = 0;
  virtual std::string RegReadString(const std::string& name) = 0;
  virtual void RegWriteString(const std::string& name, const std::string& value) = 0;
  virtual bool RegDeleteValue(const std::string& name) = 0;
  virtual void RegCloseKey() = 0;

  virtual bool FileExists(const std::string& fileName) = 0;
  virtual int ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;

  // ShellExecute(no owner, "open", file, no parameters, no directory, SW_SHOWNORMAL).
  virtual void ShellOpen(const std::string& file) = 0;
  // ShellExecuteEx with the caller's record; the process handle it returns, or nullptr.
  virtual HANDLE ShellStart(SHELLEXECUTEINFOA& info) = 0;
  virtual DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds) = 0;
  // ShellExecuteEx (16-bit) with the caller's record; the process handle, or nullptr with the
  // error in `error` (0 when the shell started something without giving a handle).
  virtual HANDLE ShellStartWide(SHELLEXECUTEINFOW& info, DWORD& error) = 0;
  // Waits for a process to end while this thread's windows keep painting and take no input;
  // its exit code, or nothing when the wait ended otherwise (the program is quitting).
  virtual std::optional<DWORD> WaitForProcessExit(HANDLE process) = 0;
  // This program's own file, to start it again.
  virtual std::wstring ProgramFile() = 0;
  virtual void CloseHandle(HANDLE handle) = 0;

  virtual HWND FindWindowByClass(const std::string& className) = 0;
  // The first descendant of `parent` of that class, searched depth first.
  virtual HWND FindChildWindow(HWND parent, const std::string& className) = 0;
  virtual void ShowWindow(HWND window, int command) = 0;
  virtual void SetForegroundWindow(HWND window) = 0;
  virtual LRESULT SendMessageTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  virtual void Sleep(DWORD milliseconds) = 0;

  // True where 32-bit programs' keys stand under WOW6432Node in the registry editor.
  virtual bool Is64BitWindows() = 0;
};

// Closes the port's registry key on every way out, a raised read or write error included.
class TKeyScope {
public:
  explicit TKeyScope(TSystemPort& system) : system_(system) {}
  ~TKeyScope() { system_.RegCloseKey(); }
  TKeyScope(const TKeyScope&) = delete;
  TKeyScope& operator=(const TKeyScope&) = delete;
private:
  TSystemPort& system_;
};
