#include "controls/edits/edit_border.h"
#include "framework/graphics.h"

namespace {
void Fill(HDC dc, const RECT& r, TColor color) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
  FillRect(dc, &r, brush.Get());
}

// One-pixel ring: top and left in `topLeft`, right and bottom in `bottomRight`, on the given
// sides only; the rectangle shrinks by one on those sides.
void Ring(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, TEdBorderSides sides) {
  if (sides.Contains(ebsTop)) Fill(dc, {r.left, r.top, r.right, r.top + 1}, topLeft);
  if (sides.Contains(ebsLeft)) Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
  if (sides.Contains(ebsRight)) Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  if (sides.Contains(ebsBottom)) Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  if (sides.Contains(ebsTop)) ++r.top;
  if (sides.Contains(ebsLeft)) ++r.left;
  if (sides.Contains(ebsRight)) --r.right;
  if (sides.Contains(ebsBottom)) --r.bottom;
}
}  // namespace

void EdDrawBorder(HDC dc, RECT rect, TEdFlatBorderType type, TEdBorderSides sides, int width,
                  const TEdBorderColors& c, TColor editColor, TColor lineColor) {
  RECT inner = rect;
  if (sides.Contains(ebsTop)) inner.top += width;
  if (sides.Contains(ebsLeft)) inner.left += width;
  if (sides.Contains(ebsRight)) inner.right -= width;
  if (sides.Contains(ebsBottom)) inner.bottom -= width;
  {
    TDCStateGuard guard(dc);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    Fill(dc, rect, editColor);
  }
  RECT r = rect;
  int rings = 0;
  auto ring = [&](TColor tl, TColor br) {
    if (rings++ < width) Ring(dc, r, tl, br, sides);  // a thin border keeps only the outer ring
  };
  switch (type) {
    case fbtFlat: ring(clBtnShadow, clBtnHighlight); break;
    case fbtSunken: ring(c.shadow, c.highlight); ring(c.dkShadow, c.face); break;
    case fbtSunkenOuter: ring(c.shadow, c.highlight); ring(c.window, c.window); break;
    case fbtSunkenInner: ring(c.face, c.face); ring(c.dkShadow, c.face); break;
    case fbtRaised: ring(c.face, c.dkShadow); ring(c.highlight, c.shadow); break;
    case fbtRaisedOuter: ring(c.face, c.dkShadow); ring(c.face, c.face); break;
    case fbtRaisedInner: ring(c.face, c.face); ring(c.highlight, c.shadow); break;
    case fbtBump: case fbtBigBump: case fbtFramed: ring(c.face, c.dkShadow); ring(c.shadow, c.highlight); break;
    case fbtEtched: ring(c.shadow, c.highlight); ring(c.highlight, c.shadow); break;
    case fbtLine:
      if (sides.Contains(ebsBottom)) Fill(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, clWindowFrame);
      break;
    case fbtLineBorder: ring(clWindowFrame, clWindowFrame); break;
    case fbtColorLineBorder: ring(lineColor, lineColor); break;
    case fbtNone: break;
  }
}
