// Caption effect records TOm3DCaption and TOmFxCaption (rotation), and the routines that draw,
// measure and place text with an effect; labels, the group box and buttons draw text through them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <windows.h>
#include "controls/drawing/om_object.h"
#include "controls/drawing/om_types.h"
#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/properties.h"

enum TOmDisabledStyle : std::uint8_t { dsAuto, dsStandard, ds3d, dsNone };
enum TOmThreeDOrientation : std::uint8_t { toBottomLeft, toBottomRight, toTopLeft, toTopRight };
enum TOmThreeDStyle : std::uint8_t {
  tdNone, tdSunken, tdRaised, tdSunkenShadow, tdRaisedShadow, tdPColorSunken, tdPColorRaised,
  tdShadow, tdOutline, tdExtrude, tdExtrudeEnh,
};
using TOmAngle = std::uint16_t;  // 0..359 degrees, counter-clockwise

class TOm3DCaption : public TOmObject {
public:
  TOm3DCaption() = default;
  void Assign(const TPersistent& source) override;

  TOmDisabledStyle DisabledStyle() const { return disabledStyle_; }
  void SetDisabledStyle(TOmDisabledStyle style);
  // Depths by index: 0 LightDepth, 1 ShadowDepth (0..255).
  int Depth(int index) const { return index == 0 ? lightDepth_ : shadowDepth_; }
  void SetDepth(int index, int depth);
  int LightDepth() const { return lightDepth_; }
  void SetLightDepth(int depth) { SetDepth(0, depth); }
  int ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(int depth) { SetDepth(1, depth); }
  // Colours by index: 0 LightColor, 1 ShadowColor.
  TColor EffectColor(int index) const { return index == 0 ? lightColor_ : shadowColor_; }
  void SetEffectColor(int index, TColor color);
  TColor LightColor() const { return lightColor_; }
  void SetLightColor(TColor color) { SetEffectColor(0, color); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor color) { SetEffectColor(1, color); }
  TOmThreeDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOmThreeDOrientation orientation);
  TOmThreeDStyle Style() const { return style_; }
  void SetStyle(TOmThreeDStyle style);
  int Tracing() const { return tracing_; }  // extra pixels between characters
  void SetTracing(int tracing);

  static const TPropTable& Properties();

private:
  TOmDisabledStyle disabledStyle_ = dsAuto;
  std::uint8_t lightDepth_ = 1, shadowDepth_ = 1;
  TColor lightColor_ = clBtnHighlight, shadowColor_ = clBtnShadow;
  TOmThreeDStyle style_ = tdNone;
  TOmThreeDOrientation orientation_ = toTopLeft;
  std::int32_t tracing_ = 0;
};

class TOmFxCaption : public TOm3DCaption {
public:
  TOmFxCaption() = default;
  void Assign(const TPersistent& source) override;  // also copies Angle, PosX, PosY from an FX caption

  TOmAngle Angle() const { return angle_; }
  void SetAngle(int degrees);  // 360 is stored as 0; going back to 0 resets the origin
  // Origin of rotated text inside its rectangle, normally written by OmMeasureEffectText.
  int Pos(int index) const { return index == 0 ? posX_ : posY_; }
  void SetPos(int index, int value);  // clamped to 0..65535
  int PosX() const { return posX_; }
  void SetPosX(int value) { SetPos(0, value); }
  int PosY() const { return posY_; }
  void SetPosY(int value) { SetPos(1, value); }
  // Sets both without a notification, and without ending a hold the caller has.
  void SetOrigin(int x, int y);

  static const TPropTable& Properties();

private:
  friend class TOm3DCaption;
  friend void OmMeasureEffectText(TCanvas*, const std::string&, TOm3DCaption*, RECT&, UINT, int, bool, bool,
                                  const TFont&);
  void MoveOrigin(int x, int y);  // both at once, one notification when either changed
  void CopyRotation(const TOmFxCaption& other);  // assignment's part, without a notification
  TOmAngle angle_ = 0;
  std::uint16_t posX_ = 0, posY_ = 0;
};

// Draws text into rect with the caption's effect (none: plain DrawText). format holds DrawText
// bits; the canvas font gives face, size and colour. The context and the canvas records come back
// as they were; dfClip intersects the caller's clip with clip (or rect).
void OmDrawEffectText(TCanvas& canvas, const std::string& text, const TOm3DCaption* caption, const RECT* clip,
                      TOmTextDrawFlags flags, UINT format, const RECT& rect);
// Grows rect (left, top and, for wrapped text, right given) to what the text needs with its
// effect, plus margin on both sides. Without a canvas it measures on the screen with font.
// A rotated caption's origin (PosX, PosY) is set so the text sits centred in the result.
void OmMeasureEffectText(TCanvas* canvas, const std::string& text, TOm3DCaption* caption, RECT& rect, UINT format,
                         int margin, bool showAccelChar, bool multiLine, const TFont& font);
// Measures in bounds (one pixel narrower) and places a block of that size by alignment.
void OmPlaceEffectText(TOmAlignment alignment, const std::string& text, TOm3DCaption* caption, RECT& placed,
                       UINT format, bool showAccelChar, bool multiLine, const TFont& font, const RECT& bounds);
// Places a block of size's width and height inside bounds (offsets may be negative).
void OmAlignBlock(TOmAlignment alignment, const RECT& size, const RECT& bounds, RECT& placed);
// Adds the effect's extra size to the right and bottom edges.
void OmEffectExtent(const TOm3DCaption* caption, RECT& rect);
// Height of "W" in font plus the effect's depth.
int OmCaptionLineHeight(const TOm3DCaption* caption, const TFont& font);
// The size of rect turned by angle degrees, moved to (0, 0).
void OmRotatedBounds(RECT& rect, int angle);
// The colour step/count of the way from one colour to the other; count <= 0 gives from.
TColor OmBlendColor(TColor from, TColor to, int step, int count);

// TrueType test by the text metrics of the font selected into a screen context (or the canvas).
bool OmIsTrueTypeFont(const TFont& font);
bool OmIsTrueTypeFont(TCanvas& canvas);
// A face that can always be rotated, and the rule that switches to it.
constexpr const char* kOmRotatableFace = "Arial";
bool OmMakeRotatable(TFont& font);  // true when the face was changed
// Tests replace the metric test (Wine maps every face to a TrueType one); empty restores it.
void OmSetTrueTypeTest(std::function<bool(const TFont&)> test);

const TEnumNames<TOmDisabledStyle>& OmDisabledStyleNames();
const TEnumNames<TOmThreeDOrientation>& OmThreeDOrientationNames();
const TEnumNames<TOmThreeDStyle>& OmThreeDStyleNames();
