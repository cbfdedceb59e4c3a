// Where glyph and caption land: every arrangement with a 16 x 16 glyph and a measured caption,
// computed without drawing (rectangles only).
#include <gtest/gtest.h>
#include "controls/buttons/glyph_text_layout.h"
#include "framework/bitmap.h"
#include "tests/support/dib.h"

namespace {
class LayoutTest : public ::testing::Test {
protected:
  void SetUp() override {
    canvas.SetHandle(dib.DC());
    canvas.Font().SetName("Verdana");
    canvas.Font().SetHeight(-11);
    const SIZE text = canvas.TextExtent("Get FS9 Path");
    tw = text.cx + 2;  // the measured caption is 2 pixels larger each way
    th = text.cy + 2;
    glyph.SetSize(16, 16);
  }
  void TearDown() override { canvas.SetHandle(nullptr); }
  // Lays out with the glyph (when wanted) and returns the focus rectangle.
  RECT Layout(const TOmGlyphTextLayout& layout, const std::string& text, bool withGlyph = true,
              TOmTextDrawFlags flags = {dfEnabled, dfCalcOnly}) {
    RECT source = withGlyph ? RECT{0, 0, 16, 16} : RECT{};
    OmDrawGlyphText(canvas, text, nullptr, rects, 0, flags, true, true, false, layout, clFuchsia, nullptr, source,
                    withGlyph ? &glyph.Canvas() : nullptr, bounds);
    return source;
  }
  TDib dib{200, 80, RGB(255, 255, 255)};
  TCanvas canvas;
  TBitmap glyph;
  TOmGlyphTextRects rects;
  const RECT bounds{0, 0, 200, 80};
  int tw = 0, th = 0;
};

TEST_F(LayoutTest, EveryArrangementPlacesGlyphAndCaptionInTheAlignedBlock) {
  ASSERT_LT(th, 40);
  struct Case { TOmTextArrange arrange; TOmAlignment align; int blockW, blockH; POINT glyph, text; };
  const int side = std::max(16, th), across = std::max(16, tw);
  const int gdy = (side - 16) / 2, tdy = (side - th) / 2, gdx = (across - 16) / 2;
  // Glyph and caption offsets inside the block; the caption sits one more pixel right and down.
  const Case cases[] = {
      {taRight, agCenter, 16 + 2 + tw, side, {0, gdy}, {18, tdy}},
      {taLeft, agTopLeft, tw + 2 + 16, side, {tw + 2, gdy}, {0, tdy}},
      {taLeftTop, agTopRight, tw + 2 + 16, side, {tw + 2, 0}, {0, tdy}},
      {taRightTop, agBottomLeft, 16 + 2 + tw, side, {0, 1}, {18, tdy}},
      {taTop, agCenterLeft, across, th + 2 + 16, {gdx, th + 2}, {0, 0}},
      {taTopLeft, agCenterRight, across, th + 2 + 16, {0, th + 2}, {0, 0}},
      {taBottom, agBottomRight, across, 16 + 2 + th, {gdx, 0}, {0, 18}},
      {taBottomLeft, agTopCenter, across, 16 + 2 + th, {0, 0}, {0, 18}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "arrangement " << int(c.arrange) << ", alignment " << int(c.align));
    TOmButtonLayout layout;
    layout.SetAlignText2Glyph(c.arrange);
    layout.SetAlignment(c.align);
    const RECT focus = Layout(layout, "Get FS9 Path");
    const int column = c.align % 3, row = c.align / 3;
    const int bx = column * (200 - c.blockW) / 2, by = row * (80 - c.blockH) / 2;
    EXPECT_EQ(rects.Glyph, (RECT{bx + c.glyph.x, by + c.glyph.y, bx + c.glyph.x + 16, by + c.glyph.y + 16}));
    const int tx = bx + c.text.x + 1, ty = by + c.text.y + 1;
    EXPECT_EQ(rects.Text, (RECT{tx, ty, tx + tw, ty + th}));
    RECT expected;
    UnionRect(&expected, &rects.Glyph, &rects.Text);
    EXPECT_EQ(rects.Total, expected);
    InflateRect(&expected, 2, 2);  // compute-only: the union grown by 2
    EXPECT_EQ(focus, expected);
  }
}

TEST_F(LayoutTest, ALoneGlyphOrCaptionGetsNoSpacingAndOffsetsMoveBoth) {
  TOmButtonLayout layout;
  layout.SetSpacing(10);
  Layout(layout, "", true);
  EXPECT_EQ(rects.Glyph, (RECT{92, 32, 108, 48}));
  EXPECT_EQ(rects.Text, RECT{});
  Layout(layout, "Get FS9 Path", false);
  EXPECT_EQ(rects.Glyph, RECT{});
  EXPECT_EQ(rects.Text.left, (200 - tw) / 2 + 1);
  layout.SetOffsetX(5);
  layout.SetOffsetY(-3);
  const RECT before = rects.Text;
  Layout(layout, "Get FS9 Path", false);
  EXPECT_EQ(rects.Text, (RECT{before.left + 5, before.top - 3, before.right + 5, before.bottom - 3}));
}

TEST_F(LayoutTest, ArrowWidensItsElementAndFocusFlagsPickTheirRectangle) {
  TOmButtonLayout layout;
  layout.SetArrow(true);  // size 3: 5 wide, 3 from the caption
  Layout(layout, "Get FS9 Path");
  EXPECT_EQ(rects.Text.right - rects.Text.left, tw + 8);
  layout.SetArrowPosition(apRightGlyph);
  Layout(layout, "Get FS9 Path");
  EXPECT_EQ(rects.Glyph.right - rects.Glyph.left, 16 + 8);
  layout.SetArrow(false);
  RECT focus = Layout(layout, "Get FS9 Path", true, {dfEnabled, dfFocusText});
  RECT grown = rects.Text;
  InflateRect(&grown, 1, 1);
  EXPECT_EQ(focus, grown);
  focus = Layout(layout, "Get FS9 Path", true, {dfEnabled, dfFocusGlyph});
  EXPECT_EQ(focus, rects.Glyph);
  focus = Layout(layout, "Get FS9 Path", true, {dfEnabled});
  EXPECT_EQ(focus, (RECT{1, 1, 199, 79}));  // no element chose: the bounds shrunk by 1
}

// Each arrow position draws the arrow beside its element: right or left of the caption, right or
// left of the glyph (caption black, glyph blue, arrow red, read back as pixels).
TEST_F(LayoutTest, TheArrowIsDrawnWhereItsPositionSays) {
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
  canvas.Font().SetColor(clBlack);
  TOmButtonLayout layout;
  layout.SetArrow(true);
  layout.SetArrowColor(clRed);
  layout.SetAlignText2Glyph(taRight);  // glyph left, caption right
  const TOmArrowPosition positions[] = {apRightText, apLeftText, apRightGlyph, apLeftGlyph};
  for (TOmArrowPosition position : positions) {
    dib.Fill(bounds, RGB(255, 255, 255));
    layout.SetArrowPosition(position);
    Layout(layout, "Go", true, {dfEnabled});
    const RECT arrow = dib.BoundsOf(RGB(255, 0, 0)), blue = dib.BoundsOf(RGB(0, 0, 255));
    const RECT text = dib.BoundsOf(RGB(0, 0, 0));
    ASSERT_GT(arrow.right, 0) << position;
    switch (position) {
      case apRightText: EXPECT_GE(arrow.left, text.right) << position; break;
      case apLeftText: EXPECT_LE(arrow.right, text.left); EXPECT_GE(arrow.left, blue.right); break;
      case apRightGlyph: EXPECT_GE(arrow.left, blue.right); EXPECT_LE(arrow.right, text.left); break;
      case apLeftGlyph: EXPECT_LE(arrow.right, blue.left) << position; break;
    }
  }
}
}  // namespace
