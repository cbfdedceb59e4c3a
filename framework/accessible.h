// The accessible client object of our windows: each windowed control answers WM_GETOBJECT with
// an object describing itself whose children are its window-less controls (top to bottom, left
// to right), then its windowed children in tab order.
#pragma once
#include <vector>
#include "framework/win_control.h"

// Posted by an object's default action: the control runs it once the caller has its answer, so
// a handler that opens a modal box does not hold the caller.
constexpr UINT CM_ACCESSIBLEACTION = CM_BASE + 90;

// Answers WM_GETOBJECT for the client; false leaves other objects to the system.
bool AnswerGetObject(TWinControl& control, TMessage& message);
// Handles CM_ACCESSIBLEACTION: wParam is the child id (0 the control itself).
void RunAccessibleAction(TWinControl& control, WPARAM childId);
// The children in the order the object lists them; child id n is the (n-1)th.
std::vector<TControl*> AccessibleChildrenOf(const TWinControl& control);
// Raises a WinEvent (name change, focus) for the control's object.
void NotifyAccessibleEvent(const TControl& control, DWORD event);
// Accessible objects alive in this process, for leak checks.
long AccessibleObjectCount();
