#include "controls/edits/text_painter.h"
#include "controls/edits/custom_edit.h"

TEdWinTextPainter::TEdWinTextPainter(TCustomEdEdit& edit) : TEdTextPainter(edit) {}

TEdWinTextPainter::~TEdWinTextPainter() {
  if (oldFont_) SelectObject(dc_.Get(), oldFont_);
}

HDC TEdWinTextPainter::MeasureDC() {
  // The font's handle changes when the font does; selecting it each time keeps them in step.
  HGDIOBJ old = SelectObject(dc_.Get(), Edit().Font()->Handle());
  if (!oldFont_) oldFont_ = old;
  return dc_.Get();
}

SIZE TEdWinTextPainter::TextExtent(const TEdFString& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(MeasureDC(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

std::vector<int> TEdWinTextPainter::Extents(const TEdFString& text) {
  std::vector<int> edges(text.size());
  if (text.empty()) return edges;
  int fit = 0;
  SIZE size;
  if (!GetTextExtentExPointW(MeasureDC(), text.c_str(), static_cast<int>(text.size()), 0, &fit, edges.data(), &size)) {
    for (size_t i = 0; i < text.size(); ++i) edges[i] = TextExtent(text.substr(0, i + 1)).cx;
  }
  return edges;
}

int TEdWinTextPainter::FitCount(const TEdFString& text, int width) {
  if (text.empty() || width <= 0) return 0;
  int fit = 0;
  SIZE size;
  if (GetTextExtentExPointW(MeasureDC(), text.c_str(), static_cast<int>(text.size()), width, &fit, nullptr, &size))
    return fit;
  int count = 0;
  while (count < static_cast<int>(text.size()) && TextExtent(text.substr(0, count + 1)).cx <= width) ++count;
  return count;
}

int TEdWinTextPainter::CellHeight() {
  TEXTMETRICW metrics{};
  GetTextMetricsW(MeasureDC(), &metrics);
  return metrics.tmHeight;
}

void TEdWinTextPainter::Draw(HDC dc, const TEdFString& text, const RECT& clip) {
  TDCStateGuard guard(dc);
  SelectObject(dc, Edit().Font()->Handle());
  SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  ExtTextOutW(dc, x_, y_, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  x_ += TextExtent(text).cx;
}
