// What the labels, links and group boxes tell screen readers.
#include "framework/accessible_info.h"
#include "controls/labels/base_label.h"
#include "controls/labels/group_box.h"
#include "controls/labels/simple_label.h"
#include "controls/labels/web_link_label.h"
#include "framework/strings.h"

namespace {
void MakeLink(TAccessibleInfo& info) {
  info.role = ROLE_SYSTEM_LINK;
  info.defaultAction = L"Jump";
  info.actionable = true;
  info.state |= STATE_SYSTEM_LINKED;
}
}  // namespace

void TOmBaseLabel::DescribeAccessible(TAccessibleInfo& info) const {
  TControl::DescribeAccessible(info);
  // Path labels show '&' as it is: so must their name.
  if (AccessibleName().empty()) info.name = AccessibleText(CaptionText(), ShowAccelChar());
  if (!info.actionable) info.role = ROLE_SYSTEM_STATICTEXT;
}

void TOmCustomSimpleLabel::DescribeAccessible(TAccessibleInfo& info) const {
  TOmBaseLabel::DescribeAccessible(info);
  if (info.actionable || jumpMode_ == jmInternet || jumpMode_ == jmApplication) MakeLink(info);
}

void TWebLinkLabel::DescribeAccessible(TAccessibleInfo& info) const {
  TLabel::DescribeAccessible(info);
  MakeLink(info);
  info.value = AnsiToWide(urlOrEmail_);
}

void TOmCustomGroupBox::DescribeAccessible(TAccessibleInfo& info) const {
  TWinControl::DescribeAccessible(info);
  if (AccessibleName().empty()) info.name = AccessibleText(Caption(), showAccelChar_);
  info.role = ROLE_SYSTEM_GROUPING;
}
