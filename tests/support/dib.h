// A 32-bit top-down DIB section selected into a memory context, for pixel assertions.
#pragma once
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

class TDib {
public:
  TDib(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Fill(RECT{0, 0, width, height}, fill);
  }
  ~TDib() { SelectObject(dc_, old_); DeleteObject(bitmap_); DeleteDC(dc_); }
  TDib(const TDib&) = delete;
  TDib& operator=(const TDib&) = delete;
  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Fill(const RECT& r, COLORREF color) {
    SetDCBrushColor(dc_, color);
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Bounding box of the pixels of exactly this colour (empty when none), and their number.
  RECT BoundsOf(COLORREF color, int* count = nullptr) const {
    RECT box{width_, height_, 0, 0};
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) == color) {
          ++n;
          box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                 std::max<LONG>(box.bottom, y + 1)};
        }
    if (count) *count = n;
    return n ? box : RECT{};
  }
  int Count(COLORREF color) const { int n; BoundsOf(color, &n); return n; }
  bool SameAs(const TDib& other) const {
    GdiFlush();
    return std::equal(bits_, bits_ + width_ * height_, other.bits_);
  }

private:
  int width_, height_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
};

// One point of a window's client as it paints itself through WM_PRINTCLIENT.
inline COLORREF PrintedPixel(HWND window, int x, int y) {
  RECT client{};
  GetClientRect(window, &client);
  TDib dib(std::max<int>(client.right, x + 1), std::max<int>(client.bottom, y + 1), RGB(0, 0, 0));
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT);
  return dib.At(x, y);
}

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
