// GDI handle holders and the graphics records a canvas draws with: TFont, TPen, TBrush.
#pragma once
#include <string>
#include <utility>
#include <windows.h>
#include "framework/colors.h"
#include "framework/component.h"
#include "framework/set.h"
#include "framework/properties.h"

// Owns a GDI object and deletes it once; move-only.
template <class H>
class TGdiHandle {
public:
  TGdiHandle() = default;
  explicit TGdiHandle(H handle) : handle_(handle) {}
  ~TGdiHandle() { Reset(); }
  TGdiHandle(TGdiHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  TGdiHandle& operator=(TGdiHandle&& other) noexcept {
    if (this != &other) { Reset(); handle_ = std::exchange(other.handle_, nullptr); }
    return *this;
  }
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;
  H Get() const { return handle_; }
  H Release() { return std::exchange(handle_, nullptr); }
  void Reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  explicit operator bool() const { return handle_ != nullptr; }
private:
  H handle_ = nullptr;
};

// Restores a device context to the state it had when the guard was made, on every exit path.
class TDCStateGuard {
public:
  explicit TDCStateGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TDCStateGuard() { if (saved_) RestoreDC(dc_, saved_); }
  TDCStateGuard(const TDCStateGuard&) = delete;
  TDCStateGuard& operator=(const TDCStateGuard&) = delete;
private:
  HDC dc_;
  int saved_;
};

// A memory device context compatible with the screen, deleted on scope exit.
class TMemoryDC {
public:
  TMemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  ~TMemoryDC() { if (dc_) DeleteDC(dc_); }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }
private:
  HDC dc_;
};

// A window's device context, released on every exit path (a paint may raise).
class TWindowDC {
public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() { if (dc_) ReleaseDC(window_, dc_); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }
private:
  HWND window_;
  HDC dc_;
};

// Base of the records that tell their owner when they change.
class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;
protected:
  void Changed() { if (OnChange) OnChange(this); }
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
using TFontCharset = int;
// Values are the LOGFONT quality constants; fqNonAntialiased gives exact pixel colours.
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };

class TFont : public TGraphicsObject {
public:
  TFont();
  void Assign(const TPersistent& source) override;
  bool operator==(const TFont& other) const;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Height() const { return height_; }  // pixels; negative: character height without leading
  void SetHeight(int height);
  int Size() const;                          // points at 96 pixels per inch
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  int Orientation() const { return orientation_; }  // tenths of a degree
  void SetOrientation(int tenths);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality quality);

  HFONT Handle() const;  // made on first use after a change
  static const TPropTable& Properties();

private:
  void Update();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  int orientation_ = 0;
  TFontQuality quality_ = fqDefault;
  mutable TGdiHandle<HFONT> handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
public:
  void Assign(const TPersistent& source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  HPEN Handle() const;
private:
  void Update();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  mutable TGdiHandle<HPEN> handle_;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
  void Assign(const TPersistent& source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  HBRUSH Handle() const;  // the null brush for bsClear
private:
  void Update();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  mutable TGdiHandle<HBRUSH> handle_;
};

extern const TEnumNames<TFontStyle>& FontStyleNames();
