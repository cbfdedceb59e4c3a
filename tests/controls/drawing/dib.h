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
    dc_ = CreateCompatibleDC(nullptr);
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
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Bounding box of the pixels of exactly this colour; empty when there are none.
  RECT BoundsOf(COLORREF color) const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) == color) {
          box.left = std::min<LONG>(box.left, x); box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1); box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.right ? box : RECT{};
  }
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += At(x, y) == color;
    return n;
  }
  bool SameAs(const TDib& other) const {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
      if ((bits_[i] & 0xFFFFFF) != (other.bits_[i] & 0xFFFFFF)) return false;
    return true;
  }
  bool SaveBmp(const std::wstring& path) const {
    GdiFlush();
    const DWORD size = static_cast<DWORD>(width_) * height_ * 4;
    const DWORD header = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER file{0x4D42, header + size, 0, 0, header};
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &info, sizeof(info), &written, nullptr) && WriteFile(out, bits_, size, &written, nullptr);
    CloseHandle(out);
    return ok;
  }

private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
};

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
