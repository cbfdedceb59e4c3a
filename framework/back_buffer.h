// TBackBuffer: a paint buffer kept between paints. TPaintBuffer: one paint's use of it.
#pragma once
#include <windows.h>
#include "framework/graphics.h"

// Allocating a window-sized bitmap for every paint cost more than most paints themselves.
class TBackBuffer {
public:
  TBackBuffer() = default;
  ~TBackBuffer() { Free(); }
  TBackBuffer(const TBackBuffer&) = delete;
  TBackBuffer& operator=(const TBackBuffer&) = delete;
  // A context of width x height compatible with target, its state saved until Release; null
  // when the buffer is in use (a nested paint) or the target's format cannot be told.
  HDC Acquire(HDC target, int width, int height);
  void Release();
  void Free();
private:
  HDC dc_ = nullptr;
  TGdiHandle<HBITMAP> bitmap_;
  HGDIOBJ old_ = nullptr;
  int width_ = 0, height_ = 0, bits_ = 0, saved_ = 0;
  bool busy_ = false;
};

// The kept buffer when free, else a bitmap of its own for this paint; the context comes back
// as it was given out. Area is what the paint covers: it starts black, as in a new bitmap.
class TPaintBuffer {
public:
  TPaintBuffer(TBackBuffer& kept, HDC target, int width, int height, const RECT& area);
  ~TPaintBuffer();
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;
  HDC Get() const { return dc_; }
private:
  TBackBuffer& kept_;
  HDC dc_ = nullptr;
  bool own_ = false;
  TGdiHandle<HBITMAP> bitmap_;
  HGDIOBJ old_ = nullptr;
};
