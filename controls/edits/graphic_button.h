// TEdButtonGlyph: a button's glyph strip (up, disabled, down, exclusive) or icon, and where
// glyph and caption go; TCustomEdGraphicButton: a window-less push button with 3D, flat,
// line-border and themed looks, latching and an optional pull-down arrow strip.
#pragma once
#include <array>
#include <memory>
#include <string>
#include "framework/bitmap.h"
#include "framework/control.h"
#include "framework/popup_menu.h"
#include "framework/themes.h"

// The button's state byte; the values are the glyph strip's picture order.
enum TEdButtonState { ebsUp = 0, ebsDisabled = 1, ebsDown = 2, ebsExclusive = 3, ebsDropped = 4 };
enum TEdButtonLayout { eblGlyphLeft, eblGlyphRight, eblGlyphTop, eblGlyphBottom };
// Where a button's pull-down menu opens: below it, to its right, or above it.
enum TPopupPlace { ppDown, ppRight, ppTop };

// Face colour and the three frame colours worked out from it.
struct TEdFrameColors {
  COLORREF highlight, face, shadow, darkShadow;
};
TEdFrameColors FrameColorsFor(TColor face);
// Hue, luminance, saturation on the 0..252 scale.
struct TEdHls {
  int h, l, s;
};
TEdHls RGBToHls(COLORREF color);
COLORREF HlsToRGB(const TEdHls& hls);

struct TEdGlyphPlacement {
  RECT glyph;    // where the (possibly scaled) glyph goes
  RECT caption;  // where the caption goes
};
// Places a glyph and a caption of the given sizes inside `content` (a zero size is absent).
TEdGlyphPlacement PlaceGlyphAndCaption(const RECT& content, SIZE glyph, SIZE caption, TEdButtonLayout layout,
                                       int margin, int spacing);

class TEdButtonGlyph : public TPersistent {
public:
  TEdButtonGlyph();
  ~TEdButtonGlyph() override;
  void Assign(const TPersistent& source) override;

  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(const TBitmap& glyph) { glyph_->Assign(glyph); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  TIcon* Icon() const { return icon_.get(); }
  bool UseIcon() const { return useIcon_; }
  void SetUseIcon(bool value);
  bool Empty() const;
  // Size of one picture of the strip (or of the icon).
  SIZE PictureSize() const;
  // Draws the picture for `state` into `dest`, transparent pixels left alone.
  void Draw(HDC dc, const RECT& dest, TEdButtonState state) const;

  TNotifyEvent OnChange;

private:
  void Changed();
  const TBitmap& Picture(TEdButtonState state) const;
  std::unique_ptr<TBitmap> MakePicture(int index) const;
  std::unique_ptr<TBitmap> MakeEmbossed() const;

  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TIcon> icon_;
  int numGlyphs_ = 1;
  bool useIcon_ = false;
  // Pictures cut from the strip per state, built on first use and dropped on change.
  mutable std::array<std::unique_ptr<TBitmap>, 5> pictures_;
};

class TCustomEdGraphicButton : public TGraphicControl {
public:
  explicit TCustomEdGraphicButton(TComponent* owner);
  ~TCustomEdGraphicButton() override;

  TEdButtonState State() const { return state_; }
  bool Hot() const { return hot_; }
  bool Tracking() const { return tracking_; }

  TEdButtonGlyph* ButtonGlyph() const { return glyph_.get(); }
  TBitmap* Glyph() const { return glyph_->Glyph(); }
  void SetGlyph(const TBitmap& glyph) { glyph_->SetGlyph(glyph); }
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int value) { glyph_->SetNumGlyphs(value); }
  TIcon* Icon() const { return glyph_->Icon(); }
  bool UseIcon() const { return glyph_->UseIcon(); }
  void SetUseIcon(bool value) { glyph_->SetUseIcon(value); }

  bool UseOwnColor() const { return useOwnColor_; }
  void SetUseOwnColor(bool value) { Change(useOwnColor_, value); }
  TEdButtonLayout Layout() const { return layout_; }
  void SetLayout(TEdButtonLayout value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  bool ShowBorder() const { return showBorder_; }
  void SetShowBorder(bool value) { Change(showBorder_, value); }
  bool ContentInset() const { return contentInset_; }
  void SetContentInset(bool value) { Change(contentInset_, value); }
  bool ThinFrame() const { return thinFrame_; }
  void SetThinFrame(bool value);
  bool OldStyled() const { return oldStyled_; }
  void SetOldStyled(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { Change(transparent_, value); }
  bool UseXPThemes() const { return useXPThemes_; }
  void SetUseXPThemes(bool value);
  bool IsThemeApplied() const;

  bool LineBorder() const { return lineBorder_; }
  void SetLineBorder(bool value) { Change(lineBorder_, value); }
  TColor LineBorderActiveColor() const { return lineActive_; }
  void SetLineBorderActiveColor(TColor value) { ChangeLineColor(lineActive_, value); }
  TColor LineBorderInactiveColor() const { return lineInactive_; }
  void SetLineBorderInactiveColor(TColor value) { ChangeLineColor(lineInactive_, value); }
  TColor LineBorderPressedColor() const { return linePressed_; }
  void SetLineBorderPressedColor(TColor value) { ChangeLineColor(linePressed_, value); }

  bool Down() const { return down_; }
  void SetDown(bool value);
  bool AllowLatching() const { return latching_; }
  void SetAllowLatching(bool value) { latching_ = value; }
  bool ShowArrow() const { return showArrow_; }
  void SetShowArrow(bool value);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

  // Stored for callers; this program plays no sounds and has no style managers.
  std::string ClickSound, DownSound, UpSound, ArrowClickSound;
  TComponent* SoundMap = nullptr;
  // Dropped by a press on the arrow strip, or by a click without one, below, right of or above
  // the button as PopupPlace says.
  TPopupMenu* PullDownMenu() const { return pullDownMenu_; }
  void SetPullDownMenu(TPopupMenu* menu);
  TPopupPlace PopupPlace() const { return popupPlace_; }
  void SetPopupPlace(TPopupPlace value) { popupPlace_ = value; }

  TNotifyEvent OnArrowClick;

  void Click() override;
  virtual void ArrowClick();
  void WndProc(TMessage& message) override;
  // Width of the pull-down strip at the right (0 without one).
  int ArrowWidth() const;

protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The look the frame shows now: pressed (state down or exclusive, or latched).
  bool Pressed() const;

private:
  void Change(bool& field, bool value);
  void ChangeLineColor(TColor& field, TColor value);
  void OpenTheme();
  bool InArrow(int x) const;
  void GiveModalResult() const;
  void DropPullDown();
  void FixState();
  void DrawFrame(HDC dc, RECT& content);
  void DrawArrow(HDC dc, const RECT& strip);

  std::unique_ptr<TEdButtonGlyph> glyph_;
  TEdButtonState state_ = ebsUp;
  bool tracking_ = false, hot_ = false, inArrow_ = false;
  bool useOwnColor_ = true;
  TEdButtonLayout layout_ = eblGlyphLeft;
  int spacing_ = 4, margin_ = -1;
  bool flat_ = false, showBorder_ = true, contentInset_ = true, thinFrame_ = false, oldStyled_ = false;
  bool transparent_ = false, useXPThemes_ = true;
  bool lineBorder_ = false;
  TColor lineActive_ = clBlack, lineInactive_ = clBtnShadow, linePressed_ = clBlack;
  bool down_ = false, latching_ = false, showArrow_ = false;
  int modalResult_ = 0;
  TPopupMenu* pullDownMenu_ = nullptr;
  TPopupPlace popupPlace_ = ppDown;
  TThemeData theme_, arrowTheme_;
};
