#include "framework/back_buffer.h"

namespace {

// Bits per pixel of what a paint into target ends on; 0 for contexts that are no raster.
int PixelBits(HDC target) {
  switch (GetObjectType(target)) {
    case OBJ_DC:
      return GetDeviceCaps(target, BITSPIXEL) * GetDeviceCaps(target, PLANES);
    case OBJ_MEMDC: {
      BITMAP info{};
      if (!GetObjectW(GetCurrentObject(target, OBJ_BITMAP), sizeof info, &info)) return 0;
      return info.bmBitsPixel * info.bmPlanes;
    }
    default:
      return 0;
  }
}

}  // namespace

HDC TBackBuffer::Acquire(HDC target, int width, int height) {
  const int bits = PixelBits(target);
  if (busy_ || bits == 0) return nullptr;
  fresh_ = !dc_ || width != width_ || height != height_ || bits != bits_;
  if (fresh_) {
    Free();
    TGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(target, width, height));
    if (!bitmap) return nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return nullptr;
    bitmap_ = std::move(bitmap);
    old_ = SelectObject(dc_, bitmap_.Get());
    width_ = width, height_ = height, bits_ = bits;
  }
  saved_ = SaveDC(dc_);
  busy_ = true;
  return dc_;
}

void TBackBuffer::Release() {
  if (!busy_) return;
  RestoreDC(dc_, saved_);
  busy_ = false;
}

void TBackBuffer::Free() {
  if (!dc_) return;
  SelectObject(dc_, old_);
  DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_.Reset();
  busy_ = false;
}

TPaintBuffer::TPaintBuffer(TBackBuffer& kept, HDC target, int width, int height, const RECT& area)
    : kept_(kept), dc_(kept.Acquire(target, width, height)) {
  if (dc_) {
    // A new bitmap starts black; a kept one must not show the last paint where nothing paints.
    PatBlt(dc_, area.left, area.top, area.right - area.left, area.bottom - area.top, BLACKNESS);
    return;
  }
  own_ = true;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_.Reset(CreateCompatibleBitmap(target, width, height));
  old_ = SelectObject(dc_, bitmap_.Get());
}

TPaintBuffer::~TPaintBuffer() {
  if (!own_) {
    kept_.Release();
    return;
  }
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}
