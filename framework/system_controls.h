// The system's version-6 controls, kept out of the process's default activation context: the
// main window draws all its controls itself, and loading comctl32 before its first paint cost
// about 20 ms under Wine. Whatever shows system controls (message boxes, the folder browser, the
// shell's own boxes) runs inside a TSystemControlsScope, which activates the program's own
// context, made from its manifest resource 3 once, and loads the version-6 library into it.
#pragma once
#include <windows.h>
#include <commctrl.h>

class TSystemControlsScope {
public:
  TSystemControlsScope();
  ~TSystemControlsScope();
  TSystemControlsScope(const TSystemControlsScope&) = delete;
  TSystemControlsScope& operator=(const TSystemControlsScope&) = delete;
private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// The version-6 library's subclassing calls, the library loaded at the first of them.
namespace comctl {
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
}  // namespace comctl
