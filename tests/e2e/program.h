// Drives the built ostrimark.exe from outside: starts it, finds its windows, presses its
// buttons, reads and answers its message boxes, ends it.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

// A message box of the program as another process sees it.
struct TBox {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;                  // its first Static child
  std::vector<std::wstring> buttons;  // captions, left to right
};

class TProgram {
public:
  // Starts the program that stands beside the test folder (build/<preset>/ostrimark.exe), or
  // the one the environment variable OSTRI_PROGRAM names, with `arguments` after its name.
  explicit TProgram(const std::wstring& arguments = L"");
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;
  bool Started() const { return process_ != nullptr; }
  DWORD StartError() const { return startError_; }
  DWORD ProcessId() const { return processId_; }
  HANDLE Process() const { return process_; }
  // Waits up to `ms` for a visible top-level window of this process with that caption.
  HWND WaitForWindow(const std::wstring& caption, DWORD ms = 15000) const;
  // Waits for the process to end; its exit code, or STILL_ACTIVE after `ms`.
  DWORD WaitForExit(DWORD ms = 10000) const;
  static HWND FindChild(HWND parent, const std::wstring& caption);
  // Runs the program with `arguments` after its name and waits for it; its exit code, or
  // kNotRun when it could not be started or did not end within `ms` (it is then ended).
  static DWORD Run(const std::wstring& arguments, DWORD ms = 10000);
  static constexpr DWORD kNotRun = 0xFFFFFFFF;

  // The main window, once WaitForMain has found it.
  HWND WaitForMain(DWORD ms = 15000);
  HWND Main() const { return main_; }
  // Presses a button of the main window by its caption without waiting for what it does
  // (a handler that shows a modal box would block a sent click).
  bool Click(const std::wstring& caption) const;
  // The folder edit, its text, and putting text into it.
  HWND FolderEdit() const;
  // Clicks the folder edit's browse button without waiting for the browser.
  bool ClickFolderButton() const;
  std::wstring FolderText() const;
  bool SetFolderText(const std::wstring& text) const;
  // Returns once the program's GUI thread handles messages again, or after `ms`.
  bool WaitUntilResponsive(DWORD ms) const;

  // Open message boxes: the visible top-level windows of the process other than the main
  // window and the application's owner window.
  std::vector<HWND> OpenBoxes() const;
  // Waits up to `ms` for a box and reads it; watching for `ms` that none appears uses it too.
  std::optional<TBox> WaitForBox(DWORD ms = 5000) const;
  // Presses the box's button of that caption and waits for the box to go.
  static bool Answer(const TBox& box, const std::wstring& button);

private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  DWORD startError_ = 0;
  HWND main_ = nullptr;
};

// Reads a box's caption, text and buttons.
TBox ReadBox(HWND window);
// The build folder (build/<preset>), where the program and the stand-in are built.
std::wstring BuildFolder();
// Waits up to `ms` for `condition`, polling.
template <class F>
bool WaitFor(F condition, DWORD ms) {
  for (DWORD waited = 0;; waited += 50) {
    if (condition()) return true;
    if (waited >= ms) return false;
    Sleep(50);
  }
}
