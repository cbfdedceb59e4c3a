// TAccessibleInfo: what a control tells screen readers and automation about itself (role,
// name, value, states, default action), gathered afresh on every question.
#pragma once
#include <string>
#include <windows.h>
#include <oleacc.h>

struct TAccessibleInfo {
  long role = ROLE_SYSTEM_STATICTEXT;
  std::wstring name, value, description, defaultAction, shortcut;
  long state = 0;
  bool actionable = false;  // the default action runs the control's Click
};

// The caption as a label shows it with accelerator marks: "&&" stays one '&', a lone '&' goes.
std::wstring AccessibleText(const std::string& caption, bool accelMarks);
// "Alt+G" for a caption that marks G as its accelerator, else empty.
std::wstring AccessibleShortcut(const std::string& caption);
