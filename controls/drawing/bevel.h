// TOmBevel, the frame record of the Om controls (custom rings, standard borders, system edges,
// the window border), and the frame routines it and the buttons draw with.
#pragma once
#include <cstdint>
#include <string>
#include <windows.h>
#include "controls/drawing/om_object.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/properties.h"
#include "framework/set.h"

enum TOmBevelStyle : std::uint8_t { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TOmBevelMode : std::uint8_t { bmCustom, bmStandard, bmEdge, bmWindows };
enum TOmBorderStyle : std::uint8_t {
  lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt,
  lsFrameInset, lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered,
};
enum TOmEdgeStyle : std::uint8_t {
  etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken,
};
enum TOmFrameSide { fsBottom, fsLeft, fsRight, fsTop };
using TOmFrameSides = TSet<TOmFrameSide>;
constexpr TOmFrameSides kOmAllFrameSides{fsBottom, fsLeft, fsRight, fsTop};
constexpr int kOmMaxBevelWidth = 50;    // TOmBevelWidth
constexpr int kOmMaxBorderWidth = 255;  // TOmBorderWidth

// Pure geometry shared by the routines: move r's edges in; an edge pair that would cross
// meets in the middle instead, so a ring never inverts a rectangle.
void OmDeflateRect(RECT& r, int left, int top, int right, int bottom);
inline void OmDeflateRect(RECT& r, int by) { OmDeflateRect(r, by, by, by, by); }

// How far a standard border moves the left and top edges in (lsNone 0, single lines 1, else 2).
int OmBorderStyleWidth(TOmBorderStyle style);
// The system edge constants of an edge style and of a side set.
UINT OmEdgeKind(TOmEdgeStyle style);
UINT OmFrameSideFlags(TOmFrameSides sides);

// Each routine draws one frame into q and moves q inside it; it returns false when it drew
// nothing. The context and the canvas's records come back as they were.
bool OmDrawBorderStyle(TCanvas& canvas, RECT& q, TOmBorderStyle style, UINT extraFlags);
bool OmDrawBevelStyle(TCanvas& canvas, RECT& q, TOmBevelStyle style, int width, TColor light, TColor shadow);
// A drop shadow s deep at the right and bottom, and n light frames around the rest.
bool OmDrawShadowFrame(TCanvas& canvas, RECT& q, TColor light, TColor shadow, TColor border, int s, int n,
                       bool transparent);
// A plain ring n wide in colour; transparent only skips over it.
void OmDrawPlainRing(TCanvas& canvas, RECT& q, int n, TColor color, bool transparent);

class TOmBevel : public TOmObject {
public:
  TOmBevel();
  void Assign(const TPersistent& source) override;
  void SignalChange() override;  // refreshes the extents even while changes are held
  std::string Description() const override;

  TOmBevelStyle StyleInner() const { return styleInner_; }
  void SetStyleInner(TOmBevelStyle style);
  TOmBevelStyle StyleOuter() const { return styleOuter_; }
  void SetStyleOuter(TOmBevelStyle style);
  int WidthInner() const { return widthInner_; }
  void SetWidthInner(int width);
  int WidthOuter() const { return widthOuter_; }
  void SetWidthOuter(int width);
  // Colours by index: 0 BorderColor, 1 LightColor, 2 ShadowColor.
  // An index outside 0..2 raises ERangeError.
  TColor Color(int index) const { return colors_[CheckedColorIndex(index)]; }
  void SetColor(int index, TColor color);
  TColor BorderColor() const { return colors_[0]; }
  void SetBorderColor(TColor color) { SetColor(0, color); }
  TColor LightColor() const { return colors_[1]; }
  void SetLightColor(TColor color) { SetColor(1, color); }
  TColor ShadowColor() const { return colors_[2]; }
  void SetShadowColor(TColor color) { SetColor(2, color); }
  TOmFrameSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TOmFrameSides sides);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  int BorderInnerWidth() const { return borderInnerWidth_; }
  void SetBorderInnerWidth(int width);
  TOmEdgeStyle EdgeStyle() const { return edgeStyle_; }
  void SetEdgeStyle(TOmEdgeStyle style);
  TOmBevelMode Mode() const { return mode_; }
  void SetMode(TOmBevelMode mode);
  TOmBorderStyle StandardStyle() const { return standardStyle_; }
  void SetStandardStyle(TOmBorderStyle style);  // notifies only in bmStandard

  // Cached insets: left and top (all edges but in the shadow case), right and bottom.
  int Extent() const { return extent_; }
  int ExtentRB() const { return extentRB_; }
  int ComputeExtent() const;
  // Host state, not an option: the host draws bmWindows as its own window border.
  bool WindowBorderSupport() const { return windowBorderSupport_; }
  void SetWindowBorderSupport(bool support);
  bool RecreatePending() const { return recreatePending_; }
  // True when the host must recreate its window; clears the pending request.
  bool TakeRecreateRequest();

  // The area inside the bevel, without drawing.
  RECT InnerRect(const RECT& rect) const;
  // Draws into rect and returns what is left inside; transparent skips the plain rings.
  RECT PaintBevel(TCanvas& canvas, const RECT& rect, bool transparent) const;

  static const TPropTable& Properties();

private:
  void UpdateExtents();
  TOmBevelStyle styleInner_ = bvNone, styleOuter_ = bvNone;
  std::uint8_t widthInner_ = 1, widthOuter_ = 1;
  static int CheckedColorIndex(int index);
  TColor colors_[3] = {clBtnFace, clBtnHighlight, clBtnShadow};
  std::uint8_t borderInnerWidth_ = 0, borderWidth_ = 0;
  TOmFrameSides borderSides_ = kOmAllFrameSides;
  TOmEdgeStyle edgeStyle_ = etEtched;
  int extent_ = 0, extentRB_ = 0;
  TOmBevelMode mode_ = bmCustom;
  TOmBorderStyle standardStyle_ = lsSingleLowered;
  bool windowBorderSupport_ = false;
  bool recreatePending_ = false;
};

const TEnumNames<TOmBevelStyle>& OmBevelStyleNames();
const TEnumNames<TOmBevelMode>& OmBevelModeNames();
const TEnumNames<TOmBorderStyle>& OmBorderStyleNames();
const TEnumNames<TOmEdgeStyle>& OmEdgeStyleNames();
const TEnumNames<TOmFrameSide>& OmFrameSideNames();
