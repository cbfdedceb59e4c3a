// How the framework's own controls describe themselves to screen readers.
#include "framework/accessible_info.h"
#include "framework/image.h"
#include "framework/push_button.h"
#include "framework/strings.h"

std::wstring AccessibleText(const std::string& caption, bool accelMarks) {
  if (!accelMarks) return AnsiToWide(caption);
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == '&') continue;
    shown += caption[i];
  }
  return AnsiToWide(shown);
}

std::wstring AccessibleShortcut(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return L"Alt+" + AnsiToWide(std::string(1, caption[i + 1]));
    ++i;
  }
  return {};
}

void TControl::DescribeAccessible(TAccessibleInfo& info) const {
  info.name = !accessibleName_.empty() ? accessibleName_ : AccessibleText(caption_, true);
  if (info.name.empty()) info.name = hint_;
  info.shortcut = AccessibleShortcut(caption_);
  if (OnClick) {
    info.role = ROLE_SYSTEM_PUSHBUTTON;
    info.defaultAction = L"Press";
    info.actionable = true;
  }
}

void TWinControl::DescribeAccessible(TAccessibleInfo& info) const {
  TControl::DescribeAccessible(info);
  if (!info.actionable) info.role = ROLE_SYSTEM_CLIENT;
}

void TButton::DescribeAccessible(TAccessibleInfo& info) const {
  TWinControl::DescribeAccessible(info);
  info.role = ROLE_SYSTEM_PUSHBUTTON;
  info.defaultAction = L"Press";
  info.actionable = true;
  if (default_) info.state |= STATE_SYSTEM_DEFAULT;
}

void TImage::DescribeAccessible(TAccessibleInfo& info) const {
  TGraphicControl::DescribeAccessible(info);
  if (!info.actionable) info.role = ROLE_SYSTEM_GRAPHIC;
}
