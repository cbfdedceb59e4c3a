#include "framework/canvas.h"
#include "framework/bitmap.h"
#include "framework/strings.h"

TCanvas::TCanvas() {
  // A change deselects the stale GDI object; the next drawing call selects the new one.
  font_.OnChange = [this](TObject*) { fontSelected_ = false; };
  pen_.OnChange = [this](TObject*) { penSelected_ = false; };
  brush_.OnChange = [this](TObject*) { brushSelected_ = false; };
}

TCanvas::TCanvas(HDC dc) : TCanvas() { dc_ = dc; }

TCanvas::~TCanvas() { RestoreObjects(); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  RestoreObjects();
  dc_ = dc;
}

void TCanvas::RestoreObjects() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  fontSelected_ = penSelected_ = brushSelected_ = false;
}

void TCanvas::SelectFont() {
  if (fontSelected_) return;
  HGDIOBJ old = SelectObject(dc_, font_.Handle());
  if (!oldFont_) oldFont_ = old;
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  fontSelected_ = true;
}

void TCanvas::SelectPen() {
  if (penSelected_) return;
  HGDIOBJ old = SelectObject(dc_, pen_.Handle());
  if (!oldPen_) oldPen_ = old;
  penSelected_ = true;
}

void TCanvas::SelectBrush() {
  if (brushSelected_) return;
  HGDIOBJ old = SelectObject(dc_, brush_.Handle());
  if (!oldBrush_) oldBrush_ = old;
  SetBkColor(dc_, ColorToRGB(brush_.Color()));
  SetBkMode(dc_, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
  brushSelected_ = true;
}

void TCanvas::FillRect(const RECT& rect) {
  ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
  ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  SelectPen();
  SelectBrush();
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  SelectPen();
  ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  SelectFont();
  SelectBrush();
  std::wstring wide = AnsiToWide(text);
  ::TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format) {
  SelectFont();
  SelectBrush();
  std::wstring wide = AnsiToWide(text);
  return ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SelectFont();
  std::wstring wide = AnsiToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  RECT rect{x, y, x + graphic.Width(), y + graphic.Height()};
  graphic.DrawOn(dc_, rect);
}

void TCanvas::StretchDraw(const RECT& rect, const TGraphic& graphic) { graphic.DrawOn(dc_, rect); }

void TCanvas::DrawFocusRect(const RECT& rect) { ::DrawFocusRect(dc_, &rect); }

void TCanvas::Polygon(std::span<const POINT> points) {
  SelectPen();
  SelectBrush();
  ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const POINT> points) {
  SelectPen();
  ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::BeginPath() { ::BeginPath(dc_); }
void TCanvas::EndPath() { ::EndPath(dc_); }
void TCanvas::AbortPath() { ::AbortPath(dc_); }

void TCanvas::StrokePath() {
  SelectPen();
  ::StrokePath(dc_);
}

TEXTMETRICW TCanvas::TextMetrics() {
  SelectFont();
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc_, &metrics)) metrics = TEXTMETRICW{};
  return metrics;
}

TScreenCanvas::~TScreenCanvas() {
  HDC dc = Handle();
  SetHandle(nullptr);  // hands the screen its own objects back before the release
  if (dc) ReleaseDC(nullptr, dc);
}
