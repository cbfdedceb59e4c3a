// What the edit tells screen readers: editable text whose value is its text.
#include "framework/accessible_info.h"
#include "controls/edits/custom_edit.h"

void TCustomEdEdit::DescribeAccessible(TAccessibleInfo& info) const {
  TWinControl::DescribeAccessible(info);
  // The caption is no label of the edit; an empty name lets the label before it name it.
  info.name = AccessibleName();
  info.role = ROLE_SYSTEM_TEXT;
  info.value = Text();
  if (ReadOnly()) info.state |= STATE_SYSTEM_READONLY;
}
