#include "framework/modal_wait.h"

#include "framework/msgbox.h"
#include "framework/win_control.h"

namespace {
// The caption and frame take no clicks either while the window waits.
bool IsInput(UINT message) {
  return IsInputMessage(message) || (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}
}  // namespace

bool WaitKeepingWindowsPainted(HANDLE object) {
  TDisabledWindows disabled(nullptr);
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjectsEx(1, &object, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      // Dropped rather than left queued: a click made while waiting must not act afterwards.
      if (!IsInput(msg.message)) DispatchMessageW(&msg);
    }
  }
}
