// Types shared by the label, group-box and button families: the text drawing flags and the
// nine block alignments (placing a block by one of them: OmAlignBlock in fx_caption.h).
#pragma once
#include <cstdint>
#include "framework/properties.h"
#include "framework/set.h"

// Element numbers are bit positions; 4 is unused.
enum TOmTextDrawFlag {
  dfDisabled,    // the control is disabled
  dfEnabled,     // the control is enabled
  dfAutoSunken,  // with dsAuto a disabled caption is drawn sunken
  dfClip,        // clip to the clip rectangle, or to the drawing rectangle when none is given
  dfTopLeft = 5,  // glyph-text layout: keep the block at the origin
  dfFocusText,    // focus rectangle: the caption rectangle grown by 1
  dfFocusGlyph,   // focus rectangle: the glyph rectangle
  dfFocusBoth,    // focus rectangle: union of both, grown by 1
  dfCalcOnly,     // compute only, draw nothing (implies dfFocusBoth)
  dfLimitText,    // cut the caption rectangle at the bounds' right and bottom edges
};
using TOmTextDrawFlags = TSet<TOmTextDrawFlag>;

enum TOmAlignment : std::uint8_t {
  agTopLeft, agTopCenter, agTopRight,
  agCenterLeft, agCenter, agCenterRight,
  agBottomLeft, agBottomCenter, agBottomRight,
};

const TEnumNames<TOmAlignment>& OmAlignmentNames();

// The alignment a right-to-left control shows: left and right columns swap, the middle stays.
inline TOmAlignment OmMirrored(TOmAlignment a) {
  const int column = a % 3;
  return column == 1 ? a : static_cast<TOmAlignment>(a - column + 2 - column);
}
