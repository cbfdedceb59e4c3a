// TEdTextPainter: how the edit measures and draws its 16-bit text; TEdWinTextPainter does it
// with GDI in the edit's font. Drawing advances the pen by the width drawn, so a line in
// pieces (before, inside and after the selection) lines up exactly.
#pragma once
#include <vector>
#include <windows.h>
#include "framework/graphics.h"
#include "framework/strings.h"

class TCustomEdEdit;

class TEdTextPainter {
public:
  explicit TEdTextPainter(TCustomEdEdit& edit) : edit_(edit) {}
  virtual ~TEdTextPainter() = default;
  TEdTextPainter(const TEdTextPainter&) = delete;
  TEdTextPainter& operator=(const TEdTextPainter&) = delete;

  TCustomEdEdit& Edit() const { return edit_; }
  virtual SIZE TextExtent(const TEdFString& text) = 0;
  // The right edge of each 16-bit unit, measured from the string's start.
  virtual std::vector<int> Extents(const TEdFString& text) = 0;
  // How many leading units fit into width.
  virtual int FitCount(const TEdFString& text, int width) = 0;
  virtual int CellHeight() = 0;
  void MoveTo(int x, int y) { x_ = x; y_ = y; }
  int PenX() const { return x_; }
  // Draws at the pen (top left), clipped to clip, and moves the pen on by the text's width.
  virtual void Draw(HDC dc, const TEdFString& text, const RECT& clip) = 0;

protected:
  int x_ = 0, y_ = 0;

private:
  TCustomEdEdit& edit_;
};

class TEdWinTextPainter : public TEdTextPainter {
public:
  explicit TEdWinTextPainter(TCustomEdEdit& edit);
  ~TEdWinTextPainter() override;
  SIZE TextExtent(const TEdFString& text) override;
  std::vector<int> Extents(const TEdFString& text) override;
  int FitCount(const TEdFString& text, int width) override;
  int CellHeight() override;
  void Draw(HDC dc, const TEdFString& text, const RECT& clip) override;

private:
  HDC MeasureDC();  // the memory context, with the edit's current font selected
  TMemoryDC dc_;
  HGDIOBJ oldFont_ = nullptr;
};
