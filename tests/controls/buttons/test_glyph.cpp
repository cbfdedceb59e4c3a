// Glyph images: the image count a bitmap brings, the embossed disabled image, and the lists
// glyphs of one size share and give back.
#include <gtest/gtest.h>
#include "controls/buttons/glyph.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_count.h"

namespace {
// A w x h bitmap on `background` with a filled square from (4, 4) to (12, 12) in `shape`.
std::unique_ptr<TBitmap> MakeGlyph(int w, int h, TColor background, TColor shape) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(w, h);
  bitmap->Canvas().Brush().SetColor(background);
  bitmap->Canvas().FillRect(RECT{0, 0, w, h});
  bitmap->Canvas().Brush().SetColor(shape);
  bitmap->Canvas().FillRect(RECT{4, 4, 12, 12});
  return bitmap;
}

// Draws image `number` of the glyph alone onto a face-coloured DIB at (0, 0).
void DrawImage(TOmGlyph& glyph, int number, TDib& dib) {
  TCanvas canvas(dib.DC());
  TOmGlyphTextLayout layout;  // top-left: the glyph lands at the origin
  glyph.DrawGlyphImage(canvas, "", 0, false, {dfEnabled}, layout, number, RECT{0, 0, 16, 16}, nullptr);
}

TEST(Glyph, TakingABitmapCountsItsImagesBeforeTheOwnerHears) {
  TOmGlyph glyph;
  int countSeen = 0;
  glyph.OnChange = [&](TObject*) { countSeen = glyph.NumGlyphs(); };
  auto strip = MakeGlyph(64, 16, clFuchsia, clBlue);
  glyph.TakeBitmap(strip.get());
  EXPECT_EQ(glyph.NumGlyphs(), 4);
  EXPECT_EQ(countSeen, 4);
  auto six = MakeGlyph(96, 16, clFuchsia, clBlue);
  glyph.TakeBitmap(six.get());
  EXPECT_EQ(glyph.NumGlyphs(), 1);
  glyph.ChangeImageCount(3);
  auto odd = MakeGlyph(20, 16, clFuchsia, clBlue);
  glyph.TakeBitmap(odd.get());
  EXPECT_EQ(glyph.NumGlyphs(), 3);  // not a row of squares: the count stays
}

TEST(Glyph, DisabledImageIsEmbossedOnATransparentBackground) {
  const COLORREF face = RGB(212, 208, 200), shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  // A background in the shadow colour itself must not take the shape with it.
  for (TColor background : {clFuchsia, static_cast<TColor>(shadow)}) {
    SCOPED_TRACE(background);
    TOmGlyph glyph;
    auto bitmap = MakeGlyph(16, 16, background, clRed);
    glyph.TakeBitmap(bitmap.get());
    const int index = glyph.CreateImage(kOmImageDisabled);
    EXPECT_EQ(glyph.CreateImage(kOmImageDisabled), index);  // built once
    TDib dib(16, 16, face);
    DrawImage(glyph, kOmImageDisabled, dib);
    EXPECT_EQ(dib.BoundsOf(shadow), (RECT{4, 4, 12, 12}));
    EXPECT_EQ(dib.At(12, 12), light);  // the highlight copy, one pixel down and right
    EXPECT_EQ(dib.At(12, 5), light);
    EXPECT_EQ(dib.At(3, 3), face);
    EXPECT_EQ(dib.At(0, 15), face);
    EXPECT_EQ(dib.Count(RGB(255, 0, 0)), 0);
  }
}

TEST(Glyph, GreyUntilHotShowsColourOnlyWhenHot) {
  TOmGlyph glyph;
  auto bitmap = MakeGlyph(16, 16, clFuchsia, clRed);
  glyph.TakeBitmap(bitmap.get());
  glyph.ChangeGlyphStyle(1);
  TDib up(16, 16, RGB(0, 128, 0)), hot(16, 16, RGB(0, 128, 0));
  DrawImage(glyph, kOmImageUp, up);
  DrawImage(glyph, kOmImageHot, hot);
  EXPECT_EQ(up.Count(RGB(255, 0, 0)), 0);
  EXPECT_EQ(up.Count(RGB(0, 128, 0)), 256 - 64);  // the background stays transparent
  EXPECT_EQ(hot.BoundsOf(RGB(255, 0, 0)), (RECT{4, 4, 12, 12}));
}

TEST(Glyph, SameSizedGlyphsShareOneListFreedWithTheLast) {
  ASSERT_EQ(OmGlyphCache(), nullptr);
  const bool counting = gdi_count::Works();
  const long before = gdi_count::LiveObjects();
  {
    auto bitmap = MakeGlyph(16, 16, clFuchsia, clRed);
    auto first = std::make_unique<TOmGlyph>();
    auto second = std::make_unique<TOmGlyph>();
    first->TakeBitmap(bitmap.get());
    second->TakeBitmap(bitmap.get());
    first->CreateImage(kOmImageUp);
    second->CreateImage(kOmImageUp);
    second->CreateImage(kOmImageDisabled);
    ASSERT_NE(first->List(), nullptr);
    EXPECT_EQ(first->List(), second->List());
    EXPECT_EQ(first->List()->Count(), 3);
    EXPECT_EQ(OmGlyphCache()->ListCount(), 1);
    second->ChangeImageCount(2);  // discards its images
    EXPECT_EQ(first->List()->Count(), 1);
    second.reset();
    EXPECT_EQ(OmGlyphCache()->ListCount(), 1);
    first.reset();
    EXPECT_EQ(OmGlyphCache(), nullptr);
  }
  if (counting) {
    EXPECT_EQ(gdi_count::LiveObjects(), before);
  }
}
}  // namespace
