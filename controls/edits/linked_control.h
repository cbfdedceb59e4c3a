// Where an edit keeps the control linked to it (its label, usually): beside one of its sides,
// aligned with one of that side's ends or its middle, `spacing` pixels away.
#pragma once
#include <windows.h>
#include "framework/properties.h"

enum TEdLinkCtlPos {
  lcpTopLeft, lcpTopRight, lcpTopCenter, lcpBottomLeft, lcpBottomRight, lcpBottomCenter,
  lcpLeftTop, lcpLeftBottom, lcpLeftCenter, lcpRightTop, lcpRightBottom, lcpRightCenter
};
const TEnumNames<TEdLinkCtlPos>& LinkCtlPosNames();

// The linked control's top left for an edit at `edit` (in the parent's coordinates).
POINT LinkedControlOrigin(const RECT& edit, SIZE linked, TEdLinkCtlPos position, int spacing);
