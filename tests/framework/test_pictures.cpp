// Pictures from their stored bytes: the artwork loads with its format, and damaged data is
// refused with an error instead of being read past its end.
#include <gtest/gtest.h>
#include <vector>
#include "framework/bitmap.h"
#include "framework/form_reader.h"
#include "tests/support/dib.h"

namespace {
std::vector<unsigned char> Artwork(const char* name) {
  const TFileBytes bytes = LoadEmbeddedFile(name);
  return {bytes.begin(), bytes.end()};
}

TEST(Pictures, GlyphsKeepTheirFormatAndTakeTheBottomLeftPixelAsTransparentColour) {
  TBitmap glyph;
  glyph.LoadFromBytes(Artwork("glyph_get.bmp"));
  EXPECT_EQ(glyph.Width(), 16);
  EXPECT_EQ(glyph.PixelFormat(), pf24bit);
  EXPECT_EQ(glyph.TransparentColor(), RGB(255, 0, 255));
  TBitmap palette;
  palette.LoadFromBytes(Artwork("glyph_fs2004.bmp"));
  EXPECT_EQ(palette.PixelFormat(), pf8bit);
  EXPECT_EQ(palette.TransparentColor(), RGB(0, 0, 0));
  palette.SetTransparentColor(clWhite);
  EXPECT_EQ(palette.TransparentColor(), clWhite);
  TBitmap folder;
  folder.LoadFromBytes(Artwork("edit_button.bmp"));
  EXPECT_EQ(folder.PixelFormat(), pf4bit);
  EXPECT_EQ(folder.Width(), 13);
  EXPECT_EQ(folder.Height(), 12);
  // Saved back byte for byte.
  EXPECT_EQ(glyph.SaveToBytes(), Artwork("glyph_get.bmp"));
}

TEST(Pictures, PictureStreamsRoundTripBothKinds) {
  TPicture picture;
  picture.LoadFromFileBytes("about.ico", Artwork("about.ico"));
  ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 16);
  TPicture copy;
  copy.LoadFromStream(picture.SaveToStream());
  EXPECT_EQ(copy.Width(), 16);
  picture.LoadFromFileBytes("close.bmp", Artwork("close.bmp"));
  copy.LoadFromStream(picture.SaveToStream());
  EXPECT_EQ(copy.Width(), 20);
  EXPECT_EQ(copy.Height(), 17);
}

TEST(Pictures, ABitmapOnLastingBytesDrawsFromThemUntilItsHandleIsAskedFor) {
  const TFileBytes resource = LoadEmbeddedFile("close.bmp");
  ASSERT_TRUE(resource.Lasting());
  TBitmap lasting, own;
  lasting.LoadFromLastingBytes(resource);
  own.LoadFromBytes(Artwork("close.bmp"));
  EXPECT_FALSE(lasting.Empty());
  EXPECT_EQ(lasting.SaveToBytes(), own.SaveToBytes());
  const RECT all{0, 0, 20, 17};
  TDib fromResource(20, 17), fromHandle(20, 17), expected(20, 17);
  lasting.DrawOn(fromResource.DC(), all);
  own.DrawOn(expected.DC(), all);
  ASSERT_NE(lasting.Handle(), nullptr);  // made on demand, and drawn from then on
  lasting.DrawOn(fromHandle.DC(), all);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(fromResource.At(x, y), expected.At(x, y)) << x << "," << y;
      EXPECT_EQ(fromHandle.At(x, y), expected.At(x, y)) << x << "," << y;
    }
}

TEST(Pictures, DamagedDataIsRefused) {
  const std::vector<unsigned char> good = Artwork("glyph_set.bmp");
  std::vector<std::vector<unsigned char>> bad;
  bad.push_back({});
  bad.push_back({good.begin(), good.begin() + 30});   // header cut short
  bad.push_back({good.begin(), good.end() - 1});      // pixels cut short
  auto wide = good;
  wide[18] = 0xFF; wide[19] = 0x7F;                     // a width the data cannot hold
  bad.push_back(wide);
  auto depth = good;
  depth[28] = 7;                                        // no such bit depth
  bad.push_back(depth);
  for (size_t i = 0; i < bad.size(); ++i) {
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromBytes(bad[i]), Exception) << i;
    EXPECT_TRUE(bitmap.Empty()) << i;
  }
  TIcon icon;
  auto ico = Artwork("about.ico");
  ico.resize(ico.size() / 2);
  EXPECT_THROW(icon.LoadFromBytes(ico), Exception);
  EXPECT_THROW(StripLengthPrefix({0x10, 0, 0, 0, 1, 2}), Exception);  // a length past the end
  TPicture picture;
  EXPECT_THROW(picture.LoadFromStream({7, 'T', 'B', 'i'}), Exception);
}
}  // namespace
