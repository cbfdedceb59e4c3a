#include "controls/edits/linked_control.h"

const TEnumNames<TEdLinkCtlPos>& LinkCtlPosNames() {
  static const TEnumNames<TEdLinkCtlPos> names = {
      {"lcpTopLeft", lcpTopLeft}, {"lcpTopRight", lcpTopRight}, {"lcpTopCenter", lcpTopCenter},
      {"lcpBottomLeft", lcpBottomLeft}, {"lcpBottomRight", lcpBottomRight}, {"lcpBottomCenter", lcpBottomCenter},
      {"lcpLeftTop", lcpLeftTop}, {"lcpLeftBottom", lcpLeftBottom}, {"lcpLeftCenter", lcpLeftCenter},
      {"lcpRightTop", lcpRightTop}, {"lcpRightBottom", lcpRightBottom}, {"lcpRightCenter", lcpRightCenter}};
  return names;
}

POINT LinkedControlOrigin(const RECT& edit, SIZE linked, TEdLinkCtlPos position, int spacing) {
  const int side = position / 3, end = position % 3;  // side: top, bottom, left, right; end: near, far, centre
  const bool across = side < 2;  // above or below: placed along the edit's width
  const LONG start = across ? edit.left : edit.top, stop = across ? edit.right : edit.bottom;
  const LONG length = across ? linked.cx : linked.cy;
  const LONG along = end == 0 ? start : end == 1 ? stop - length : start + (stop - start - length) / 2;
  switch (side) {
    case 0: return {along, edit.top - spacing - linked.cy};
    case 1: return {along, edit.bottom + spacing};
    case 2: return {edit.left - spacing - linked.cx, along};
    default: return {edit.right + spacing, along};
  }
}
