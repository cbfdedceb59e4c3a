// Message boxes: modal dialogs with a Static text child and real Button children,
// so that automation and screen readers can read and press them.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

#include "framework/set.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// The results equal the Win32 IDOK / IDCANCEL / IDYES / IDNO, which are also the buttons' ids.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;

// Captioned by its type: "Warning", "Error", "Information", "Confirm"; mtCustom takes the
// program's file name. Escape and the close box answer Cancel if offered, else No, else OK.
// An empty button set shows OK. Returns mrNone when a WM_QUIT ends the box unanswered.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
int MessageBoxWithCaption(const std::string& caption, const std::string& text, TMsgDlgType type,
                          TMsgDlgButtons buttons);

// Disables the thread's other visible, enabled top-level windows; re-enables just those.
// Hidden ones are left alone: they take no input, and some (IME) must stay usable.
// Shared by every modal window of ours, the boxes and the folder browser.
class TDisabledWindows {
public:
  explicit TDisabledWindows(HWND keep);
  ~TDisabledWindows();
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;
private:
  static BOOL CALLBACK Collect(HWND window, LPARAM param);
  HWND keep_;
  std::vector<HWND> windows_;
};
