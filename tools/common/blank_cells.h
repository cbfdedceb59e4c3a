// The samplers are pictures for people, but each cell must show something: a cell of one colour
// (outside an optional hole), or only of the background it was drawn on, means its drawing failed,
// and the run says which and fails.
#pragma once
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

class TBlankCells {
public:
  void Expect(const RECT& cell, const std::string& name, const RECT& hole = RECT{},
              COLORREF background = CLR_INVALID) {
    cells_.push_back({cell, hole, name, background});
  }
  // Prints every cell drawn in one colour; 0 when there is none, else 1.
  int Report(HDC dc) const {
    int blank = 0;
    for (const TCell& c : cells_) {
      if (HasTwoColours(dc, c)) continue;
      std::fprintf(stderr, "sampler: the cell \"%s\" shows nothing\n", c.name.c_str());
      ++blank;
    }
    return blank ? 1 : 0;
  }

private:
  struct TCell { RECT cell, hole; std::string name; COLORREF background; };
  static bool HasTwoColours(HDC dc, const TCell& c) {
    bool first = c.background == CLR_INVALID;
    COLORREF seen = c.background;
    for (int y = c.cell.top; y < c.cell.bottom; ++y)
      for (int x = c.cell.left; x < c.cell.right; ++x) {
        const POINT p{x, y};
        if (PtInRect(&c.hole, p)) continue;
        const COLORREF pixel = GetPixel(dc, x, y);
        if (first) seen = pixel, first = false;
        else if (pixel != seen) return true;
      }
    return false;
  }
  std::vector<TCell> cells_;
};
