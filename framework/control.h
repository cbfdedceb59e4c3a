// TControl: position, size, text, font, colour, visibility, hints and mouse handling shared by
// every control; TGraphicControl: a window-less control its parent paints and feeds with input.
#pragma once
#include <memory>
#include <string>
#include <windows.h>
#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/control_traits.h"
#include "framework/messages.h"

class TWinControl;
class TPopupMenu;
struct TAccessibleInfo;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
// What the framework does for a control by itself: csClickEvents raises OnClick for a press and
// release inside it, csDoubleClicks turns a second press into OnDblClick instead of a press.
enum TControlStyleFlag { csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque };
using TControlStyle = TSet<TControlStyleFlag>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);  // nullptr for crDefault

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// Minimum and maximum size a control keeps whatever bounds are set (0: no limit).
class TSizeConstraints : public TPersistent {
public:
  int MinWidth() const { return minWidth_; }
  int MinHeight() const { return minHeight_; }
  int MaxWidth() const { return maxWidth_; }
  int MaxHeight() const { return maxHeight_; }
  void SetMinWidth(int v) { Set(minWidth_, v); }
  void SetMinHeight(int v) { Set(minHeight_, v); }
  void SetMaxWidth(int v) { Set(maxWidth_, v); }
  void SetMaxHeight(int v) { Set(maxHeight_, v); }
  void Apply(int& width, int& height) const;
  void Assign(const TPersistent& source) override;
  TNotifyEvent OnChange;
  static const TPropTable& Properties();
private:
  void Set(int& field, int value);
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  virtual void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  virtual void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  virtual void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  virtual void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { RECT r = ClientRect(); return r.right - r.left; }
  int ClientHeight() const { RECT r = ClientRect(); return r.bottom - r.top; }
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TFont* Font() const { return font_.get(); }
  void SetFont(const TFont& font) { font_->Assign(font); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  bool Showing() const;  // visible itself and every parent up to a shown window

  // Kept as 16-bit text, so a hint naming a folder outside the code page shows it whole.
  std::string Hint() const;
  void SetHint(const std::string& hint);
  const std::wstring& WideHint() const { return hint_; }
  void SetWideHint(const std::wstring& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  // False: a shown hint stays up when the mouse leaves, until its time is over.
  virtual bool HidesHintOnLeave() const { return true; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool value);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }
  // Shown on a right-click and Shift+F10 over the control, in place of any menu of its own.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  TStoredTraits& Traits() { return traits_; }
  const TStoredTraits& Traits() const { return traits_; }
  // Right-to-left reading and mirrored alignment; a control follows its parent's mode until
  // given one of its own.
  TBiDiMode BiDiMode() const { return traits_.biDiMode; }
  void SetBiDiMode(TBiDiMode mode);
  bool ParentBiDiMode() const { return traits_.parentBiDiMode; }
  void SetParentBiDiMode(bool value);
  bool UseRightToLeftReading() const { return traits_.biDiMode != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return traits_.biDiMode == bdRightToLeft; }
  // Text-format bits for the mode: DT_RTLREADING, and flags' horizontal alignment mirrored.
  UINT DrawTextBiDiModeFlags(UINT flags) const;
  UINT DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  std::function<void(TObject* sender, TShiftState shift, int x, int y)> OnMouseMove;

  // Sends a message through the control's own handling, as the system would.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& message);
  virtual void Invalidate();
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }
  POINT ClientToScreen(POINT point) const;
  POINT ScreenToClient(POINT point) const;
  virtual void Click();
  virtual void DblClick();
  void BringToFront();
  // What screen readers and automation are told of the control; descendants say what they are.
  virtual void DescribeAccessible(TAccessibleInfo& info) const;
  const std::wstring& AccessibleName() const { return accessibleName_; }
  void SetAccessibleName(const std::wstring& name) { accessibleName_ = name; }

  void Loaded() override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void Notification(TComponent* component, TOperation operation) override;
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void AdjustSize() {}
  virtual void BoundsChanged() {}
  void ApplyConstraints(int& width, int& height) const { constraints_->Apply(width, height); }
  void NotifyParent(UINT msg);
  bool pressed_ = false;  // a left press began on this control
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csDoubleClicks};

private:
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();
  void ParentBiDiModeChanged();
  void LeftButtonDown(bool second, TShiftState shift, int x, int y);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::unique_ptr<TSizeConstraints> constraints_;
  TAlign align_ = alNone;
  std::string caption_;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true, parentColor_ = true, fromParent_ = false;
  TColor color_ = clBtnFace;
  bool visible_ = true, enabled_ = true;
  std::wstring hint_;
  bool showHint_ = false, parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  bool autoSize_ = false;
  int tag_ = 0;
  TAnchors anchors_{akLeft, akTop};
  TPopupMenu* popupMenu_ = nullptr;
  TStoredTraits traits_;
  std::wstring accessibleName_;

  friend class TWinControl;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas& Canvas() { return canvas_; }
  // Called by the parent with a context whose origin is this control's top left.
  void PaintOn(HDC dc);
  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
protected:
  virtual void Paint() {}
private:
  TCanvas canvas_;
};

TShiftState KeysToShiftState(WPARAM keys);
// True when the caption marks that character with '&' as its accelerator ("&&" marks nothing).
bool IsAccel(WPARAM key, const std::string& caption);
TShiftState KeyboardShiftState();
