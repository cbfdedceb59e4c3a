// The bevel record and its frame routines, by the pixels they leave in a DIB section.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "controls/drawing/bevel.h"
#include "tests/controls/drawing/dib.h"

namespace {
const COLORREF kBack = RGB(0, 100, 0);
COLORREF Sys(int index) { return GetSysColor(index); }
RECT Inset(const RECT& outer, const RECT& inner) {
  return {inner.left - outer.left, inner.top - outer.top, outer.right - inner.right, outer.bottom - inner.bottom};
}
}  // namespace

TEST(BevelRings, SolidRingsOfWidthOneAndThreeTakeTheirColoursOnEachSide) {
  for (int width : {1, 3})
    for (TOmBevelStyle style : {bvRaised, bvLowered}) {
      TDib dib(20, 16, kBack);
      TCanvas canvas(dib.DC());
      RECT q{0, 0, 20, 16};
      ASSERT_TRUE(OmDrawBevelStyle(canvas, q, style, width, clBtnHighlight, clBtnShadow));
      EXPECT_EQ(q, (RECT{width, width, 20 - width, 16 - width}));
      const COLORREF tl = Sys(style == bvRaised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      const COLORREF br = Sys(style == bvRaised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
      for (int i = 0; i < width; ++i) {
        SCOPED_TRACE(testing::Message() << "width " << width << " style " << style << " ring " << i);
        EXPECT_EQ(dib.At(10, i), tl);       // top
        EXPECT_EQ(dib.At(i, 8), tl);        // left
        EXPECT_EQ(dib.At(19 - i, 8), br);   // right
        EXPECT_EQ(dib.At(10, 15 - i), br);  // bottom
      }
      EXPECT_EQ(dib.At(width, width), kBack);
      EXPECT_EQ(dib.At(19 - width, 15 - width), kBack);
    }
}

TEST(BevelRings, FrameRingIsOneWiderThanItsWidth) {
  TDib dib(20, 16, kBack);
  TCanvas canvas(dib.DC());
  RECT q{0, 0, 20, 16};
  OmDrawBevelStyle(canvas, q, bvFrameRaised, 1, clBtnHighlight, clBtnShadow);
  EXPECT_EQ(q, (RECT{2, 2, 18, 14}));
  const COLORREF light = Sys(COLOR_BTNHIGHLIGHT), shadow = Sys(COLOR_BTNSHADOW);
  EXPECT_EQ(dib.At(0, 8), light);
  EXPECT_EQ(dib.At(1, 8), shadow);
  EXPECT_EQ(dib.At(18, 8), light);
  EXPECT_EQ(dib.At(19, 8), shadow);
  EXPECT_EQ(dib.At(10, 0), light);
  EXPECT_EQ(dib.At(10, 15), shadow);
  EXPECT_EQ(dib.At(2, 8), kBack);
}

TEST(BevelRings, ShadowFrameOffsetsItsShadowAndPaintsCornersUnlessTransparent) {
  for (bool transparent : {false, true}) {
    TDib dib(30, 20, kBack);
    TCanvas canvas(dib.DC());
    RECT q{0, 0, 30, 20};
    OmDrawShadowFrame(canvas, q, clWhite, clBlack, clRed, 3, 2, transparent);
    EXPECT_EQ(q, (RECT{2, 2, 25, 15}));
    EXPECT_EQ(dib.At(29, 10), RGB(0, 0, 0));  // right shadow strip
    EXPECT_EQ(dib.At(10, 19), RGB(0, 0, 0));  // bottom shadow strip
    EXPECT_EQ(dib.At(29, 0), transparent ? kBack : RGB(255, 0, 0));
    EXPECT_EQ(dib.At(0, 19), transparent ? kBack : RGB(255, 0, 0));
    EXPECT_EQ(dib.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(dib.At(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(dib.At(26, 10), RGB(255, 255, 255));  // light frame's right edge, left of the shadow
    EXPECT_EQ(dib.At(2, 2), kBack);
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
    RECT q = area;
    EXPECT_TRUE(OmDrawBorderStyle(canvas, q, row.style, 0));
    RECT e = area;
    for (const TStep& step : row.steps) {
      if (step.kind) DrawEdge(theirs.DC(), &e, step.kind, step.flags);
      e.left += step.l; e.top += step.t; e.right -= step.r; e.bottom -= step.b;
    }
    EXPECT_TRUE(ours.SameAs(theirs));
    EXPECT_EQ(q, e);
    EXPECT_EQ(Inset(area, q), row.inset);
    EXPECT_EQ(OmBorderStyleWidth(row.style), std::max({row.inset.left, row.inset.top, row.inset.right, row.inset.bottom}));
  }
}

TEST(BevelRecord, ExtentIsHowFarPaintBevelMovesIn) {
  const RECT area{0, 0, 60, 40};
  // Symmetric frames move every edge by Extent (right and bottom by ExtentRB); the one-sided
  // standard styles move some edges less, never more.
  const auto check = [&](const TOmBevel& bevel, bool symmetric) {
    TDib dib(60, 40, kBack);
    TCanvas canvas(dib.DC());
    const RECT inner = bevel.PaintBevel(canvas, area, false);
    const RECT inset = Inset(area, inner);
    if (symmetric) {
      EXPECT_EQ(inset, (RECT{bevel.Extent(), bevel.Extent(), bevel.ExtentRB(), bevel.ExtentRB()}));
      EXPECT_EQ(bevel.InnerRect(area), inner);
    } else {
      EXPECT_EQ(std::max({inset.left, inset.top, inset.right, inset.bottom}), bevel.Extent());
    }
  };
  TOmBevel bevel;
  EXPECT_EQ(bevel.Extent(), 0);
  check(bevel, true);
  for (TOmBevelStyle outer : {bvNone, bvRaised, bvFrameLowered, bvNormal})
    for (TOmBevelStyle inner : {bvNone, bvLowered, bvFrameRaised})
      for (int width : {0, 1, 3}) {
        SCOPED_TRACE(testing::Message() << int(outer) << "/" << int(inner) << " width " << width);
        bevel.SetStyleOuter(outer);
        bevel.SetStyleInner(inner);
        bevel.SetWidthOuter(width);
        bevel.SetWidthInner(2);
        bevel.SetBorderWidth(1);
        check(bevel, true);
      }
  bevel.SetMode(bmStandard);
  for (int s = lsNone; s <= lsDoubleLowered; ++s) {
    bevel.SetStandardStyle(TOmBorderStyle(s));
    check(bevel, s != lsSingle && s != lsRaisedspb && s != lsLoweredspb);
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
  EXPECT_EQ(bevel.Extent(), 3);
  EXPECT_EQ(bevel.ExtentRB(), 6);
  EXPECT_EQ(bevel.InnerRect(RECT{0, 0, 100, 50}), (RECT{3, 3, 94, 44}));
  check(bevel, true);
}

TEST(BevelRecord, OversizeBevelDrawsInsideItsRectAndLeavesAnEmptyInnerRect) {
  TDib dib(30, 30, kBack);
  TCanvas canvas(dib.DC());
  TOmBevel bevel;
  bevel.SetStyleOuter(bvRaised);
  bevel.SetStyleInner(bvFrameLowered);
  bevel.SetWidthOuter(50);
  bevel.SetWidthInner(50);
  const RECT area{10, 10, 20, 16};
  const RECT inner = bevel.PaintBevel(canvas, area, false);
  EXPECT_TRUE(IsRectEmpty(&inner));
  EXPECT_GE(inner.right, inner.left);
  EXPECT_GE(inner.bottom, inner.top);
  EXPECT_EQ(bevel.InnerRect(area), inner);
  dib.Fill(area, kBack);
  EXPECT_EQ(dib.Count(kBack), 30 * 30);  // nothing outside the control
}

TEST(BevelRecord, EdgeModeDrawsTheMappedSystemEdgeOnItsSides) {
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
  bevel.SetBorderSides({});
  bevel.SetBorderInnerWidth(2);
  EXPECT_EQ(bevel.Extent(), 2);
}

TEST(BevelRecord, TransparentPlainRingsAreSkippedNotPainted) {
  TOmBevel bevel;
  bevel.SetBorderWidth(3);
  bevel.SetBorderColor(clRed);
  TDib dib(20, 20, kBack);
  TCanvas canvas(dib.DC());
  EXPECT_EQ(bevel.PaintBevel(canvas, RECT{0, 0, 20, 20}, true), (RECT{3, 3, 17, 17}));
  EXPECT_EQ(dib.Count(kBack), 400);
  bevel.PaintBevel(canvas, RECT{0, 0, 20, 20}, false);
  EXPECT_EQ(dib.At(2, 10), RGB(255, 0, 0));
}

TEST(BevelRecord, SettersNotifyOncePairShadowStylesAndAskForRecreates) {
  TOmBevel bevel;
  int changes = 0;
  bevel.OnChange = [&](TObject*) { ++changes; };
  bevel.SetStyleInner(bvShadow);
  EXPECT_EQ(bevel.StyleOuter(), bvShadow);
  bevel.SetStyleOuter(bvLowered);
  EXPECT_EQ(bevel.StyleInner(), bvNone);
  bevel.SetStyleOuter(bvLowered);  // unchanged
  EXPECT_EQ(changes, 2);
  bevel.SetStandardStyle(lsRaised);  // not in bmStandard: silent
  EXPECT_EQ(changes, 2);
  bevel.SetStyleOuter(bvFrameRaised);
  bevel.SetWidthOuter(1);
  EXPECT_EQ(bevel.Extent(), 2);
  bevel.SetWindowBorderSupport(true);
  bevel.SetMode(bmWindows);
  EXPECT_EQ(bevel.Extent(), 0);
  EXPECT_TRUE(bevel.TakeRecreateRequest());
  EXPECT_EQ(bevel.Description(), "{Windows style}");
  EXPECT_THROW(bevel.Assign(TOmObject()), EConvertError);
}

TEST(BevelRecord, AssignmentCopiesOptionsNotHostStateAndAsksForARecreateAcrossWindowsMode) {
  TOmBevel source, target;
  source.SetMode(bmWindows);
  source.SetWindowBorderSupport(true);
  source.SetBorderColor(clRed);
  target.SetWindowBorderSupport(false);
  target.Assign(source);
  EXPECT_FALSE(target.WindowBorderSupport());
  EXPECT_EQ(target.BorderColor(), clRed);
  EXPECT_EQ(target.Extent(), 2);  // the target draws the border itself
  TOmBevel host;
  host.SetWindowBorderSupport(true);
  int changes = 0;
  host.OnChange = [&](TObject*) { ++changes; };
  host.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(host.RecreatePending());
}
