// TCanvas: a device context with its font, pen and brush, selected lazily and restored on release.
#pragma once
#include <span>
#include <string>
#include <windows.h>
#include "framework/graphics.h"

class TGraphic;

class TCanvas : public TPersistent {
public:
  TCanvas();
  explicit TCanvas(HDC dc);  // borrows the context; releasing it restores its objects
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc);  // restores the old context's objects first
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::string& text);
  // Draws text with DrawText format flags inside rect; returns the text height.
  int DrawText(const std::string& text, RECT& rect, UINT format);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const RECT& rect, const TGraphic& graphic);
  void DrawFocusRect(const RECT& rect);
  // Outline with the pen and fill with the brush; a polyline leaves out its last point.
  void Polygon(std::span<const POINT> points);
  void Polyline(std::span<const POINT> points);
  // Text drawn between BeginPath and EndPath paints nothing; StrokePath outlines it with the pen.
  void BeginPath();
  void EndPath();
  void StrokePath();
  void AbortPath();
  int CharacterExtra() const { return GetTextCharacterExtra(dc_); }
  void SetCharacterExtra(int extra) { SetTextCharacterExtra(dc_, extra); }
  TEXTMETRICW TextMetrics();  // of the font as selected; zeroed when the call fails
  // Select a record into the context now; drawing calls do it on demand.
  void RealizeFont() { SelectFont(); }
  void RealizePen() { SelectPen(); }
  void RealizeBrush() { SelectBrush(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
  void SetPixel(int x, int y, TColor color) { ::SetPixel(dc_, x, y, ColorToRGB(color)); }

private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void RestoreObjects();

  HDC dc_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  bool fontSelected_ = false, penSelected_ = false, brushSelected_ = false;
};

// A canvas on the screen's device context, for measuring text outside a paint.
class TScreenCanvas : public TCanvas {
public:
  TScreenCanvas() : TCanvas(GetDC(nullptr)) {}
  ~TScreenCanvas() override;
};

// Lends a canvas a device context for one paint; the context is handed back on every exit.
class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.SetHandle(dc); }
  ~TCanvasBinding() { canvas_.SetHandle(nullptr); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;
private:
  TCanvas& canvas_;
};
