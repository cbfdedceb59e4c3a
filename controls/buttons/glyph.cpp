#include "controls/buttons/glyph.h"
#include <algorithm>
#include <cmath>

namespace {
TOmGlyphCache* processCache = nullptr;
int glyphCount = 0;

// Raster operation: dest AND NOT source.
constexpr DWORD kDSna = 0x00220326;

// A 24-bit copy of `width` x `height` pixels of source from (left, 0).
std::unique_ptr<TBitmap> CopyCell(TBitmap& source, int left, int width, int height) {
  auto cell = std::make_unique<TBitmap>();
  cell->SetSize(width, height);
  BitBlt(cell->Canvas().Handle(), 0, 0, width, height, source.Canvas().Handle(), left, 0, SRCCOPY);
  return cell;
}

// A monochrome bitmap with 1 where source has `key`, 0 on the shape.
TGdiHandle<HBITMAP> KeyToMonochrome(TBitmap& source, TColor key) {
  const int w = source.Width(), h = source.Height();
  TGdiHandle<HBITMAP> mono(CreateBitmap(w, h, 1, 1, nullptr));
  if (!mono) throw EOutOfResources("Out of system resources");
  TMemoryDC dc;
  HGDIOBJ old = SelectObject(dc.Get(), mono.Get());
  HDC from = source.Canvas().Handle();
  const COLORREF oldBack = SetBkColor(from, ColorToRGB(key));
  BitBlt(dc.Get(), 0, 0, w, h, from, 0, 0, SRCCOPY);
  SetBkColor(from, oldBack);
  SelectObject(dc.Get(), old);
  return mono;
}

// Paints a monochrome image onto dest as black (0) and white (1).
void PaintMonochrome(HDC dest, int x, int y, int w, int h, HBITMAP mono, DWORD rop, COLORREF zero, COLORREF one) {
  TMemoryDC dc;
  HGDIOBJ old = SelectObject(dc.Get(), mono);
  const COLORREF oldText = SetTextColor(dest, zero), oldBack = SetBkColor(dest, one);
  BitBlt(dest, x, y, w, h, dc.Get(), 0, 0, rop);
  SetTextColor(dest, oldText);
  SetBkColor(dest, oldBack);
  SelectObject(dc.Get(), old);
}

// The black-and-white mask of bitmap's shape by its transparent colour.
std::unique_ptr<TBitmap> ShapeMask(TBitmap& bitmap, TColor key) {
  auto mask = std::make_unique<TBitmap>();
  mask->SetSize(bitmap.Width(), bitmap.Height());
  TGdiHandle<HBITMAP> mono = KeyToMonochrome(bitmap, key);
  PaintMonochrome(mask->Canvas().Handle(), 0, 0, bitmap.Width(), bitmap.Height(), mono.Get(), SRCCOPY,
                  RGB(0, 0, 0), RGB(255, 255, 255));
  return mask;
}
}  // namespace

TOmGlyphCache* OmGlyphCache() { return processCache; }

static TOmGlyphCache& EnsureCache() {
  if (!processCache) processCache = new TOmGlyphCache;
  return *processCache;
}

static void FreeCacheWhenUnused() {
  if (processCache && glyphCount == 0 && processCache->Empty()) {
    delete processCache;
    processCache = nullptr;
  }
}

TOmGlyphList::TOmGlyphList(int width, int height)
    : width_(width), height_(height), image_(std::make_unique<TBitmap>()), mask_(std::make_unique<TBitmap>()) {}

void TOmGlyphList::Grow() {
  const int old = Capacity(), wider = (old + 1) * width_;
  for (std::unique_ptr<TBitmap>* strip : {&image_, &mask_}) {
    auto bigger = std::make_unique<TBitmap>();
    bigger->SetSize(wider, height_);
    if (old > 0)
      BitBlt(bigger->Canvas().Handle(), 0, 0, old * width_, height_, (*strip)->Canvas().Handle(), 0, 0, SRCCOPY);
    *strip = std::move(bigger);
  }
  used_.push_back(false);
}

int TOmGlyphList::AddGlyph(TBitmap& bitmap, TColor transparentColor, TBitmap* mask) {
  auto slot = std::find(used_.begin(), used_.end(), false);
  int index = static_cast<int>(slot - used_.begin());
  if (slot == used_.end()) Grow();
  std::unique_ptr<TBitmap> ownMask;
  if (!mask) {
    ownMask = ShapeMask(bitmap, transparentColor);
    mask = ownMask.get();
  }
  const int x = index * width_, w = std::min(width_, bitmap.Width()), h = std::min(height_, bitmap.Height());
  HDC image = image_->Canvas().Handle(), maskDC = mask_->Canvas().Handle();
  // Parts of the cell the bitmap does not cover are transparent.
  PatBlt(maskDC, x, 0, width_, height_, WHITENESS);
  PatBlt(image, x, 0, width_, height_, BLACKNESS);
  BitBlt(maskDC, x, 0, w, h, mask->Canvas().Handle(), 0, 0, SRCCOPY);
  BitBlt(image, x, 0, w, h, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  BitBlt(image, x, 0, w, h, maskDC, x, 0, kDSna);
  used_[index] = true;
  ++count_;
  return index;
}

void TOmGlyphList::ReleaseGlyph(int index) {
  if (index < 0 || index >= Capacity() || !used_[index]) return;
  used_[index] = false;
  --count_;
}

TOmGlyphList* TOmGlyphCache::GetList(int width, int height) {
  for (const auto& list : lists_)
    if (list->Width() == width && list->Height() == height) return list.get();
  lists_.push_back(std::make_unique<TOmGlyphList>(width, height));
  return lists_.back().get();
}

void TOmGlyphCache::ReleaseList(TOmGlyphList* list) {
  if (!list || list->Count() != 0) return;
  std::erase_if(lists_, [list](const std::unique_ptr<TOmGlyphList>& item) { return item.get() == list; });
}

TOmGlyph::TOmGlyph() : bitmap_(std::make_unique<TBitmap>()) {
  indices_.fill(-1);
  bitmap_->OnChange = [this](TObject* sender) { BitmapChanged(sender); };
  ++glyphCount;
  EnsureCache();
}

TOmGlyph::~TOmGlyph() {
  bitmap_->OnChange = nullptr;
  bitmap_.reset();
  ClearImages();
  --glyphCount;
  FreeCacheWhenUnused();
}

void TOmGlyph::TakeBitmap(const TBitmap* bitmap) {
  ClearImages();
  {
    // The owner repaints on the change: hold it until the image count fits the new bitmap.
    struct THold {
      TBitmap& bitmap;
      TNotifyEvent saved;
      ~THold() { bitmap.OnChange = std::move(saved); }
    } hold{*bitmap_, std::move(bitmap_->OnChange)};
    bitmap_->OnChange = nullptr;
    if (bitmap) bitmap_->Assign(*bitmap);
    else bitmap_->Assign(TBitmap());
  }
  if (bitmap && bitmap->Height() > 0 && bitmap->Width() % bitmap->Height() == 0) {
    const int count = bitmap->Width() / bitmap->Height();
    numGlyphs_ = count < 6 ? count : 1;
  }
  BitmapChanged(bitmap_.get());
}

void TOmGlyph::ChangeImageCount(int count) {
  count = std::min(count, kOmMaxNumGlyphs);
  if (count <= 0 || count == numGlyphs_) return;
  ClearImages();
  numGlyphs_ = count;
}

void TOmGlyph::ChangeGlyphStyle(int style) {
  if (style == style_) return;
  ClearImages();
  style_ = style;
}

void TOmGlyph::ClearImages() {
  for (int& index : indices_) {
    if (index >= 0 && list_) list_->ReleaseGlyph(index);
    index = -1;
  }
  if (list_ && processCache) processCache->ReleaseList(list_);
  list_ = nullptr;
  FreeCacheWhenUnused();
}

void TOmGlyph::BitmapChanged(TObject* sender) {
  if (sender != bitmap_.get()) return;
  transparentColor_ = bitmap_->Empty() ? clDefault : bitmap_->TransparentColor();
  ClearImages();
  if (OnChange) OnChange(nullptr);
}

int TOmGlyph::CreateImage(int n) {
  if (n < 0 || n >= static_cast<int>(indices_.size())) n = kOmImageUp;
  if (n == 7) n = kOmImageDisabled;
  if (n != kOmImageDisabled && n > numGlyphs_ - 1) n = style_ == 0 ? kOmImageUp : (n == 6 ? kOmImagePressed : kOmImageHot);
  if (indices_[n] >= 0) return indices_[n];
  if (bitmap_->Empty()) return -1;
  const int w = bitmap_->Width() / numGlyphs_, h = bitmap_->Height();
  if (w <= 0) return -1;

  // Built images keep the source's shape as their mask: a generated pixel that happens to have
  // the transparent colour must not punch a hole in the glyph.
  const bool ownImage = n < numGlyphs_;
  std::unique_ptr<TBitmap> cell = CopyCell(*bitmap_, ownImage && !(style_ == 1 && n == 0) ? n * w : 0, w, h);
  cell->SetTransparentColor(transparentColor_);
  std::unique_ptr<TBitmap> mask = ShapeMask(*cell, transparentColor_);
  std::unique_ptr<TBitmap> result;
  if (n == kOmImageUp && style_ == 1) {
    result = std::make_unique<TBitmap>();
    OmCreateGrayBitmap(*result, *cell);
  } else if (n == kOmImageDisabled && !ownImage) {
    result = std::make_unique<TBitmap>();
    OmCreateDisabledBitmap(*result, *cell);
    // The highlight copy lies one pixel down and right of the shape.
    TBitmap shape;
    shape.Assign(*mask);
    BitBlt(mask->Canvas().Handle(), 1, 1, w - 1, h - 1, shape.Canvas().Handle(), 0, 0, SRCAND);
  }
  // The list is held only once an image is in it: an empty one may go with another glyph's release.
  TOmGlyphList* list = list_ ? list_ : EnsureCache().GetList(w, h);
  indices_[n] = list->AddGlyph(result ? *result : *cell, transparentColor_, mask.get());
  list_ = list;
  return indices_[n];
}

void TOmGlyph::DrawGlyphImage(TCanvas& canvas, const std::string& text, UINT format, bool multiLine,
                              TOmTextDrawFlags flags, const TOmGlyphTextLayout& layout, int number,
                              const RECT& bounds, TOm3DCaption* caption, TOmGlyphTextRects* results) {
  TOmGlyphTextRects unused;
  TOmGlyphTextRects& out = results ? *results : unused;
  const int index = CreateImage(number);
  if (index < 0) {
    RECT none{};
    OmDrawGlyphText(canvas, text, caption, out, format, flags, false, true, multiLine, layout, transparentColor_,
                    nullptr, none, nullptr, bounds);
    return;
  }
  RECT cell = list_->CellRect(index);
  OmDrawGlyphText(canvas, text, caption, out, format, flags, true, true, multiLine, layout, transparentColor_,
                  &list_->MaskCanvas(), cell, &list_->ImageCanvas(), bounds);
}

void OmCreateDisabledBitmap(TBitmap& destination, TBitmap& source) {
  const int w = source.Width(), h = source.Height();
  TGdiHandle<HBITMAP> mono = KeyToMonochrome(source, source.TransparentColor());
  destination.SetSize(w, h);
  HDC dc = destination.Canvas().Handle();
  TGdiHandle<HBRUSH> fill(CreateSolidBrush(ColorToRGB(source.TransparentColor())));
  RECT all{0, 0, w, h};
  FillRect(dc, &all, fill.Get());
  // DSPDxax paints the brush where the source is white: the shape is 0, so it maps to white.
  constexpr DWORD kDSPDxax = 0x00E20746;
  for (auto [offset, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    HGDIOBJ old = SelectObject(dc, brush.Get());
    PaintMonochrome(dc, offset, offset, w - offset, h - offset, mono.Get(), kDSPDxax, RGB(255, 255, 255),
                    RGB(0, 0, 0));
    SelectObject(dc, old);
  }
  GdiFlush();
}

void OmCreateGrayBitmap(TBitmap& destination, TBitmap& source) {
  destination.Assign(source);
  TCanvas& canvas = destination.Canvas();
  const int w = destination.Width(), h = destination.Height();
  const COLORREF background = canvas.Pixel(0, 0);
  auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  long long sum = 0, count = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (COLORREF c = canvas.Pixel(x, y); c != background) { sum += brightness(c); ++count; }
  // nearbyint rounds ties to even in the default rounding mode.
  const int base = count ? -static_cast<int>(std::nearbyint(200.0 - static_cast<double>(sum) / count)) : 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = canvas.Pixel(x, y);
      if (c == background) continue;
      const int value = brightness(c);
      TColor grey = value > base + 550 ? clWhite : value > base + 250 ? clBtnHighlight
                  : value > base + 50 ? clBtnShadow : clBlack;
      canvas.SetPixel(x, y, grey);
    }
  GdiFlush();
}
