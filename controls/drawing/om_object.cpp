#include "controls/drawing/om_object.h"
#include "controls/drawing/om_types.h"

void TOmObject::SignalChange() {
  if (!updating_ && OnChange) OnChange(this);
}

void TOmObject::ForwardChange(TObject*) { SignalChange(); }

void TOmObject::ReleaseChanges(bool notify) {
  updating_ = false;
  if (notify) SignalChange();
}

const TEnumNames<TOmAlignment>& OmAlignmentNames() {
  static const TEnumNames<TOmAlignment> names = {
      {"agTopLeft", agTopLeft}, {"agTopCenter", agTopCenter}, {"agTopRight", agTopRight},
      {"agCenterLeft", agCenterLeft}, {"agCenter", agCenter}, {"agCenterRight", agCenterRight},
      {"agBottomLeft", agBottomLeft}, {"agBottomCenter", agBottomCenter}, {"agBottomRight", agBottomRight}};
  return names;
}
