// The edit's own border kinds and the routine that draws one into a window-sized rectangle.
#pragma once
#include <windows.h>
#include "framework/colors.h"
#include "framework/set.h"

enum TEdBorderSide { ebsLeft, ebsRight, ebsTop, ebsBottom };
using TEdBorderSides = TSet<TEdBorderSide>;
constexpr TEdBorderSides kEdAllBorderSides{ebsLeft, ebsRight, ebsTop, ebsBottom};

enum TEdFlatBorderType {
  fbtFlat, fbtSunken, fbtSunkenInner, fbtSunkenOuter, fbtRaised, fbtRaisedInner, fbtRaisedOuter, fbtBump,
  fbtBigBump, fbtEtched, fbtFramed, fbtLine, fbtLineBorder, fbtNone, fbtColorLineBorder
};

struct TEdBorderColors {
  TColor face = clBtnFace, shadow = clBtnShadow, dkShadow = cl3DDkShadow, highlight = clBtnHighlight,
         window = clWindow;
};

// Draws the border of `type` inside rect (the whole window) on the given sides, `width` pixels
// deep (2 with 3-D look, 1 without); the band is first filled with the edit's colour so no
// pixel is left from before.
void EdDrawBorder(HDC dc, RECT rect, TEdFlatBorderType type, TEdBorderSides sides, int width,
                  const TEdBorderColors& colors, TColor editColor, TColor lineColor);
