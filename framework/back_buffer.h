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
  bool Fresh() const { return fresh_; }  // the last Acquire made a new bitmap
  void Release();
  void Free();
  // The kept picture when it is free and of this size; null otherwise.
  HDC Picture(int width, int height) const {
    return dc_ && !busy_ && width == width_ && height == height_ ? dc_ : nullptr;
  }
private:
  HDC dc_ = nullptr;
  TGdiHandle<HBITMAP> bitmap_;
  HGDIOBJ old_ = nullptr;
  int width_ = 0, height_ = 0, bits_ = 0, saved_ = 0;
  bool busy_ = false, fresh_ = false;
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
  bool Kept() const { return !own_; }  // painting into the kept buffer, which will hold the picture
  bool Fresh() const { return own_ || kept_.Fresh(); }  // nothing of an earlier picture is in it
private:
  TBackBuffer& kept_;
  HDC dc_ = nullptr;
  bool own_ = false;
  TGdiHandle<HBITMAP> bitmap_;
  HGDIOBJ old_ = nullptr;
};
