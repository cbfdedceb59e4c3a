// The bevel record and its frame routines, by the pixels they leave in a DIB section.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "controls/drawing/bevel.h"
#include "tests/support/dib.h"

namespace {
const COLORREF kBack = RGB(0, 100, 0);
RECT Inset(const RECT& outer, const RECT& inner) {
  return {inner.left - outer.left, inner.top - outer.top, outer.right - inner.right, outer.bottom - inner.bottom};
}
}  // namespace

TEST(BevelRings, SolidFrameAndShadowRingsTakeTheirColoursAndWidths) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  for (TOmBevelStyle style : {bvRaised, bvLowered, bvFrameRaised})
    for (int w : {1, 3}) {
      SCOPED_TRACE(testing::Message() << "style " << int(style) << " width " << w);
      TDib dib(20, 16, kBack);
      TCanvas canvas(dib.DC());
      RECT q{0, 0, 20, 16};
      ASSERT_TRUE(OmDrawBevelStyle(canvas, q, style, w, clBtnHighlight, clBtnShadow));
      const int ring = style == bvFrameRaised ? w + 1 : w;
      EXPECT_EQ(q, (RECT{ring, ring, 20 - ring, 16 - ring}));
      const COLORREF tl = style == bvLowered ? shadow : light, br = style == bvLowered ? light : shadow;
      EXPECT_EQ(dib.At(10, 0), tl);
      EXPECT_EQ(dib.At(0, 8), tl);
      EXPECT_EQ(dib.At(19, 8), br);
      EXPECT_EQ(dib.At(10, 15), br);
      if (style != bvFrameRaised) {  // every ring pixel, and not one more
        EXPECT_EQ(dib.At(10, w - 1), tl);
        EXPECT_EQ(dib.At(20 - w, 8), br);
        EXPECT_EQ(dib.At(10, 16 - w), br);
      }
      int inside = 0;
      dib.BoundsOf(kBack, &inside);
      // A frame ring leaves its top-right and bottom-left corner pixels alone.
      EXPECT_EQ(inside, (20 - 2 * ring) * (16 - 2 * ring) + (style == bvFrameRaised ? 2 : 0));
    }
  for (bool transparent : {false, true}) {
    TDib dib(30, 20, kBack);
    TCanvas canvas(dib.DC());
    RECT q{0, 0, 30, 20};
    OmDrawShadowFrame(canvas, q, clWhite, clBlack, clRed, 3, 2, transparent);
    EXPECT_EQ(q, (RECT{2, 2, 25, 15}));
    EXPECT_EQ(dib.BoundsOf(RGB(0, 0, 0)), (RECT{3, 3, 30, 20}));  // the shadow, offset by its depth
    EXPECT_EQ(dib.Count(RGB(255, 0, 0)), transparent ? 0 : 18);  // the two corner squares
    EXPECT_EQ(dib.BoundsOf(RGB(255, 255, 255)), (RECT{0, 0, 27, 17}));
  }
}

// Each standard style against the system edge calls its table names, pixel for pixel.
TEST(BevelStandard, EveryStyleDrawsWhatItsEdgeCallsDrawAndMovesAsTabled) {
  struct TStep { UINT kind, flags; int l = 0, t = 0, r = 0, b = 0; };
  struct TRow { TOmBorderStyle style; std::vector<TStep> steps; RECT inset; };
  const UINT A = BF_ADJUST;
  const std::vector<TRow> rows = {
      {lsNone, {}, {0, 0, 0, 0}},
      {lsSingle, {{BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | A}, {BDR_RAISEDOUTER, BF_BOTTOMRIGHT}}, {1, 1, 0, 0}},
      {lsLowered, {{EDGE_SUNKEN, BF_RECT | BF_SOFT | A}}, {2, 2, 2, 2}},
      {lsRaised, {{EDGE_RAISED, BF_RECT | BF_SOFT | A}}, {2, 2, 2, 2}},
      {lsRaisedspb, {{BDR_RAISEDOUTER, BF_RECT | BF_SOFT | A}, {BDR_RAISEDINNER, BF_BOTTOMRIGHT | A}}, {1, 1, 2, 2}},
      {lsLoweredspb, {{BDR_SUNKENOUTER, BF_RECT | A}, {BDR_SUNKENINNER, BF_TOPLEFT | A}}, {2, 2, 1, 1}},
      {lsRaisedExt, {{BDR_RAISEDOUTER, BF_RECT | BF_SOFT | A}, {BDR_RAISEDINNER, BF_BOTTOMRIGHT | A}, {0, 0, 1, 1}},
       {2, 2, 2, 2}},
      {lsLoweredExt, {{BDR_SUNKENOUTER, BF_RECT | A}, {BDR_SUNKENINNER, BF_TOPLEFT | A}, {0, 0, 0, 0, 1, 1}},
       {2, 2, 2, 2}},
      {lsFrameInset, {{EDGE_ETCHED, BF_RECT | A}}, {2, 2, 2, 2}},
      {lsFrameOffset, {{BDR_RAISEDINNER, BF_RECT | A}, {BDR_SUNKENOUTER, BF_RECT | A}}, {2, 2, 2, 2}},
      {lsWindowBorder, {{BDR_RAISEDOUTER, BF_BOTTOMRIGHT | A}, {0, 0, 1, 1}, {BDR_RAISEDINNER, BF_RECT | A}},
       {2, 2, 2, 2}},
      {lsSingleRaised, {{BDR_RAISEDINNER, BF_RECT | A}}, {1, 1, 1, 1}},
      {lsSingleLowered, {{BDR_SUNKENOUTER, BF_RECT | A}}, {1, 1, 1, 1}},
      {lsDoubleRaised, {{BDR_RAISEDINNER, BF_RECT | A}, {BDR_RAISEDINNER, BF_RECT | A}}, {2, 2, 2, 2}},
      {lsDoubleLowered, {{BDR_SUNKENOUTER, BF_RECT | A}, {BDR_SUNKENOUTER, BF_RECT | A}}, {2, 2, 2, 2}},
  };
  const RECT area{3, 2, 33, 22};
  for (const TRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "style " << int(row.style));
    TDib ours(36, 24, kBack), theirs(36, 24, kBack);
    TCanvas canvas(ours.DC());
    RECT q = area, e = area;
    EXPECT_TRUE(OmDrawBorderStyle(canvas, q, row.style, 0));
    for (const TStep& step : row.steps) {
      if (step.kind) DrawEdge(theirs.DC(), &e, step.kind, step.flags);
      e = {e.left + step.l, e.top + step.t, e.right - step.r, e.bottom - step.b};
    }
    EXPECT_TRUE(ours.SameAs(theirs));
    EXPECT_EQ(q, e);
    EXPECT_EQ(Inset(area, q), row.inset);
    const RECT& in = row.inset;
    EXPECT_EQ(OmBorderStyleWidth(row.style), std::max({in.left, in.top, in.right, in.bottom}));
  }
}

TEST(BevelRecord, ExtentIsHowFarPaintBevelMovesInAndAnOversizeBevelLeavesNothingInside) {
  const RECT area{0, 0, 60, 40};
  // Symmetric frames move every edge by Extent (right and bottom by ExtentRB); the one-sided
  // standard styles move some edges less, never more.
  const auto check = [&](const TOmBevel& bevel, bool symmetric) {
    TDib dib(60, 40, kBack);
    TCanvas canvas(dib.DC());
    const RECT inner = bevel.PaintBevel(canvas, area, false), inset = Inset(area, inner);
    if (!symmetric) {
      EXPECT_EQ(std::max({inset.left, inset.top, inset.right, inset.bottom}), bevel.Extent());
      return;
    }
    EXPECT_EQ(inset, (RECT{bevel.Extent(), bevel.Extent(), bevel.ExtentRB(), bevel.ExtentRB()}));
    EXPECT_EQ(bevel.InnerRect(area), inner);
  };
  TOmBevel bevel;
  check(bevel, true);
  for (TOmBevelStyle outer : {bvNone, bvRaised, bvFrameLowered, bvNormal})
    for (TOmBevelStyle inner : {bvNone, bvLowered, bvFrameRaised})
      for (int width : {0, 1, 3}) {  // a 0-wide frame ring is not drawn and takes no room
        SCOPED_TRACE(testing::Message() << int(outer) << "/" << int(inner) << " width " << width);
        bevel.SetStyleOuter(outer);
        bevel.SetStyleInner(inner);
        bevel.SetWidthOuter(width);
        bevel.SetBorderWidth(1);
        check(bevel, true);
      }
  bevel.SetMode(bmStandard);
  for (const auto& [name, style] : OmBorderStyleNames()) {
    bevel.SetStandardStyle(style);
    check(bevel, style != lsSingle && style != lsRaisedspb && style != lsLoweredspb);
  }
  bevel.SetMode(bmEdge);
  bevel.SetEdgeStyle(etRaisedInner);  // a 1-pixel edge still moves in by 2
  check(bevel, true);
  bevel.SetMode(bmWindows);
  check(bevel, true);
  bevel.SetMode(bmCustom);
  bevel.SetStyleOuter(bvShadow);
  bevel.SetWidthInner(2);
  bevel.SetWidthOuter(3);
  bevel.SetBorderInnerWidth(1);
  EXPECT_EQ(bevel.InnerRect(RECT{0, 0, 100, 50}), (RECT{3, 3, 94, 44}));
  check(bevel, true);

  TDib dib(30, 30, kBack);
  TCanvas canvas(dib.DC());
  TOmBevel huge;
  huge.SetStyleOuter(bvRaised);
  huge.SetStyleInner(bvFrameLowered);
  huge.SetWidthOuter(50);
  huge.SetWidthInner(50);
  const RECT small{10, 10, 20, 16}, inner = huge.PaintBevel(canvas, small, false);
  EXPECT_TRUE(IsRectEmpty(&inner));
  EXPECT_TRUE(inner.right >= inner.left && inner.bottom >= inner.top) << inner;
  EXPECT_EQ(huge.InnerRect(small), inner);
  dib.Fill(small, kBack);
  EXPECT_EQ(dib.Count(kBack), 30 * 30);  // nothing drawn outside the control
}

TEST(BevelRecord, EdgeModeAndTransparentRings) {
  TOmBevel bevel;
  bevel.SetMode(bmEdge);
  bevel.SetEdgeStyle(etBump);
  bevel.SetBorderSides({fsLeft, fsBottom});
  TDib ours(30, 20, kBack), theirs(30, 20, kBack);
  TCanvas canvas(ours.DC());
  EXPECT_EQ(bevel.PaintBevel(canvas, RECT{0, 0, 30, 20}, false), (RECT{2, 2, 28, 18}));
  RECT e{0, 0, 30, 20};
  DrawEdge(theirs.DC(), &e, EDGE_BUMP, BF_LEFT | BF_BOTTOM);
  EXPECT_TRUE(ours.SameAs(theirs));

  TOmBevel plain;
  plain.SetBorderWidth(3);
  plain.SetBorderColor(clRed);
  TDib dib(20, 20, kBack);
  TCanvas c(dib.DC());
  EXPECT_EQ(plain.PaintBevel(c, RECT{0, 0, 20, 20}, true), (RECT{3, 3, 17, 17}));
  EXPECT_EQ(dib.Count(kBack), 400);  // skipped, not painted
  plain.PaintBevel(c, RECT{0, 0, 20, 20}, false);
  EXPECT_EQ(dib.Count(RGB(255, 0, 0)), 400 - 14 * 14);
}

TEST(BevelRecord, SettersNotifyOncePairShadowStylesAndAssignmentKeepsHostState) {
  TOmBevel bevel;
  int changes = 0;
  bevel.OnChange = [&](TObject*) { ++changes; };
  bevel.SetStyleInner(bvShadow);
  EXPECT_EQ(bevel.StyleOuter(), bvShadow);
  bevel.SetStyleOuter(bvLowered);
  EXPECT_EQ(bevel.StyleInner(), bvNone);
  bevel.SetStyleOuter(bvLowered);    // unchanged
  bevel.SetStandardStyle(lsRaised);  // not in bmStandard: silent
  EXPECT_EQ(changes, 2);
  bevel.SetWindowBorderSupport(true);
  bevel.SetMode(bmWindows);
  EXPECT_EQ(bevel.Extent(), 0);
  EXPECT_TRUE(bevel.TakeRecreateRequest());
  EXPECT_EQ(bevel.Description(), "{Windows style}");
  EXPECT_THROW(bevel.Assign(TOmObject()), EConvertError);
  EXPECT_THROW(bevel.Color(3), ERangeError);
  EXPECT_THROW(bevel.SetColor(-1, clRed), ERangeError);
  EXPECT_THROW(OmEdgeKind(static_cast<TOmEdgeStyle>(8)), ERangeError);

  TOmBevel plain;  // draws the border itself: the source's host state must not come along
  plain.Assign(bevel);
  EXPECT_FALSE(plain.WindowBorderSupport());
  EXPECT_EQ(plain.Extent(), 2);
  TOmBevel host;
  host.SetWindowBorderSupport(true);
  host.OnChange = [&](TObject*) { ++changes; };
  host.Assign(bevel);
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(host.RecreatePending());  // the mode crossed bmWindows
}
