// Drives the built ostrimark.exe from outside: starts it, finds its windows, ends it.
#pragma once
#include <windows.h>
#include <string>

class TProgram {
public:
  // Starts the program that stands beside the test folder (build/<preset>/ostrimark.exe).
  TProgram();
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;
  bool Started() const { return process_ != nullptr; }
  // Waits up to `ms` for a visible top-level window of this process with that caption.
  HWND WaitForWindow(const std::wstring& caption, DWORD ms = 15000) const;
  // Waits for the process to end; its exit code, or STILL_ACTIVE after `ms`.
  DWORD WaitForExit(DWORD ms = 10000) const;
  static HWND FindChild(HWND parent, const std::wstring& caption);
private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};
