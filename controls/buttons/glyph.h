// TOmGlyph: a button's glyph bitmap (one or more images side by side) and the state images built
// from it; TOmGlyphList: a masked strip of same-sized images shared by glyphs; TOmGlyphCache: the
// process's lists by cell size. Also the disabled (embossed) and grey image generators.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>
#include "controls/buttons/glyph_text_layout.h"
#include "framework/bitmap.h"

// Images of one cell size in a strip, each with a black-and-white mask (white = transparent).
// Stored images are black where transparent, so a draw is mask AND, then image OR.
class TOmGlyphList {
public:
  TOmGlyphList(int width, int height);
  TOmGlyphList(const TOmGlyphList&) = delete;
  TOmGlyphList& operator=(const TOmGlyphList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return count_; }        // slots in use
  int Capacity() const { return static_cast<int>(used_.size()); }
  // Stores the image in the lowest free slot; the mask comes from the transparent colour unless
  // one is given. Returns the slot.
  int AddGlyph(TBitmap& bitmap, TColor transparentColor, TBitmap* mask = nullptr);
  void ReleaseGlyph(int index);  // the slot is free; its pixels stay until reused
  RECT CellRect(int index) const { return {index * width_, 0, (index + 1) * width_, height_}; }
  TCanvas& ImageCanvas() { return image_->Canvas(); }
  TCanvas& MaskCanvas() { return mask_->Canvas(); }

private:
  void Grow();
  int width_, height_;
  int count_ = 0;
  std::vector<bool> used_;
  std::unique_ptr<TBitmap> image_, mask_;
};

// The lists of the process, one per cell size.
class TOmGlyphCache {
public:
  TOmGlyphCache() = default;
  TOmGlyphCache(const TOmGlyphCache&) = delete;
  TOmGlyphCache& operator=(const TOmGlyphCache&) = delete;
  TOmGlyphList* GetList(int width, int height);
  void ReleaseList(TOmGlyphList* list);  // frees it when no slot is in use
  bool Empty() const { return lists_.empty(); }
  int ListCount() const { return static_cast<int>(lists_.size()); }
private:
  std::vector<std::unique_ptr<TOmGlyphList>> lists_;
};
// The process's cache while any glyph or list lives, else nullptr.
TOmGlyphCache* OmGlyphCache();

// Image numbers a glyph's owner asks for.
constexpr int kOmImageUp = 0, kOmImageDisabled = 1, kOmImageHot = 2, kOmImagePressed = 4;
constexpr int kOmMaxNumGlyphs = 5;  // TOmNumGlyphs

class TOmGlyph {
public:
  TOmGlyph();
  ~TOmGlyph();
  TOmGlyph(const TOmGlyph&) = delete;
  TOmGlyph& operator=(const TOmGlyph&) = delete;

  TBitmap& Bitmap() { return *bitmap_; }
  const TBitmap& Bitmap() const { return *bitmap_; }
  // Copies bitmap (none: clears) and counts its images when it is a row of squares (< 6).
  void TakeBitmap(const TBitmap* bitmap);
  int NumGlyphs() const { return numGlyphs_; }
  void ChangeImageCount(int count);  // 0 and unchanged are ignored
  int Style() const { return style_; }  // 0 normal, 1 grey until hot
  void ChangeGlyphStyle(int style);
  TColor TransparentColor() const { return transparentColor_; }
  void ClearImages();
  // The list slot of image `number`, built on first use; -1 when there is no bitmap.
  int CreateImage(int number);
  TOmGlyphList* List() const { return list_; }
  // Lays out and draws the image for `number` beside the caption; results are optional.
  void DrawGlyphImage(TCanvas& canvas, const std::string& text, UINT format, bool multiLine, TOmTextDrawFlags flags,
                      const TOmGlyphTextLayout& layout, int number, const RECT& bounds, TOm3DCaption* caption,
                      TOmGlyphTextRects* results = nullptr);

  TNotifyEvent OnChange;

private:
  void BitmapChanged(TObject* sender);
  std::unique_ptr<TBitmap> bitmap_;
  std::array<int, 9> indices_;
  TOmGlyphList* list_ = nullptr;
  int numGlyphs_ = 1;
  int style_ = 0;
  TColor transparentColor_ = clDefault;
};

// Embossed disabled image: the source's shape in clBtnShadow with a clBtnHighlight copy one pixel
// down and right, on the source's transparent colour.
void OmCreateDisabledBitmap(TBitmap& destination, TBitmap& source);
// Grey image: every pixel unlike pixel (0, 0) becomes white, highlight, shadow or black by brightness.
void OmCreateGrayBitmap(TBitmap& destination, TBitmap& source);
