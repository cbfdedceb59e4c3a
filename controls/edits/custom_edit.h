// TCustomEdEdit: a custom-drawn text edit in a window of its own. It keeps its 16-bit text in
// a TEdEditStrings store, draws text, selection and caret itself through a TEdTextPainter,
// draws its border in the non-client area (or lets the theme do it), and does keyboard and
// mouse editing, clipboard, undo and a context menu. TEdEdit publishes it.
#pragma once
#include <map>
#include <memory>
#include <string>
#include "controls/edits/edit_border.h"
#include "controls/edits/edit_menu.h"
#include "controls/edits/edit_strings.h"
#include "controls/edits/edit_undo.h"
#include "controls/edits/linked_control.h"
#include "controls/edits/text_painter.h"
#include "controls/edits/xp_themed_control.h"
#include "framework/bitmap.h"
#include "framework/caret.h"
#include "framework/form.h"

using TBorderStyle = TFormBorderStyle;  // an edit uses bsNone and bsSingle
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using TContextPopupEvent = std::function<void(TObject* sender, POINT mousePos, bool& handled)>;

class TCustomEdEdit : public TEdXPThemedControl {
public:
  explicit TCustomEdEdit(TComponent* owner);
  ~TCustomEdEdit() override;

  // Text and selection.
  TEdFString Text() const { return strings_.Text(); }
  void SetText(const TEdFString& text);
  const TEdEditStrings& Lines() const { return strings_; }
  TEdPos CaretPos() const { return caret_; }
  void SetCaretPos(TEdPos pos);
  TEdPos SelectionAnchor() const { return anchor_; }
  TEdPos SelStartPos() const { return std::min(anchor_, caret_); }
  TEdPos SelEndPos() const { return std::max(anchor_, caret_); }
  bool HasSelection() const { return anchor_ != caret_; }
  void SetSelection(TEdPos anchor, TEdPos caret);
  int SelStart() const { return strings_.OffsetOf(SelStartPos()); }
  int SelLength() const { return strings_.OffsetOf(SelEndPos()) - SelStart(); }
  TEdFString SelText() const { return strings_.Range(anchor_, caret_); }
  // Replaces the selection with text (an operation: recorded for undo, not a keyboard change).
  virtual void SetSelText(const TEdFString& text);
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }

  // Clipboard and editing operations.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void ClearSelection();
  void SelectAll();
  bool CanUndo() const { return !undo_.Empty(); }
  void Undo();
  void Redo();

  // View.
  int FirstVisibleColumn() const { return firstCol_; }
  int FirstVisibleLine() const { return firstLine_; }
  int VisibleLines() const { return visibleLines_; }
  int LineHeight() const { return lineHeight_; }
  RECT EditRect() const { return editRect_; }
  virtual void SetEditRect(const RECT& rect);

  // Properties.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  wchar_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t value);
  bool Multiline() const { return multiLine_; }
  void SetMultiline(bool value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value) { if (Change(hideSelection_, value)) Invalidate(); }
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value) { if (Change(leftMargin_, value)) Relayout(); }
  int RightMargin() const { return rightMargin_; }
  void SetRightMargin(int value) { if (Change(rightMargin_, value)) Relayout(); }
  int TopMargin() const { return topMargin_; }
  void SetTopMargin(int) {}  // worked out from the text rectangle; a stored value has no effect
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TEdBorderSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TEdBorderSides value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool value) { parentCtl3D_ = value; }
  bool Flat() const { return flat_; }
  virtual void SetFlat(bool value);
  TEdFlatBorderType ActiveBorderType() const { return activeBorderType_; }
  virtual void SetActiveBorderType(TEdFlatBorderType value) { if (Change(activeBorderType_, value)) RedrawBorder(); }
  TEdFlatBorderType InactiveBorderType() const { return inactiveBorderType_; }
  virtual void SetInactiveBorderType(TEdFlatBorderType value) { if (Change(inactiveBorderType_, value)) RedrawBorder(); }
  TColor LineBorderActiveColor() const { return lineBorderActiveColor_; }
  virtual void SetLineBorderActiveColor(TColor value) { if (Change(lineBorderActiveColor_, value)) RedrawBorder(); }
  TColor LineBorderInactiveColor() const { return lineBorderInactiveColor_; }
  virtual void SetLineBorderInactiveColor(TColor value) { if (Change(lineBorderInactiveColor_, value)) RedrawBorder(); }
  const TEdBorderColors& BorderColors() const { return borderColors_; }
  void SetBorderColorFace(TColor v) { if (Change(borderColors_.face, v)) RedrawBorder(); }
  void SetBorderColorShadow(TColor v) { if (Change(borderColors_.shadow, v)) RedrawBorder(); }
  void SetBorderColorDkShadow(TColor v) { if (Change(borderColors_.dkShadow, v)) RedrawBorder(); }
  void SetBorderColorHighlight(TColor v) { if (Change(borderColors_.highlight, v)) RedrawBorder(); }
  void SetBorderColorWindow(TColor v) { if (Change(borderColors_.window, v)) RedrawBorder(); }
  TColor FocusedSelectColor() const { return focusedSelectColor_; }
  void SetFocusedSelectColor(TColor v) { if (Change(focusedSelectColor_, v)) Invalidate(); }
  TColor FocusedSelectTextColor() const { return focusedSelectTextColor_; }
  void SetFocusedSelectTextColor(TColor v) { if (Change(focusedSelectTextColor_, v)) Invalidate(); }
  TColor HideSelectColor() const { return hideSelectColor_; }
  void SetHideSelectColor(TColor v) { if (Change(hideSelectColor_, v)) Invalidate(); }
  TColor HideSelectTextColor() const { return hideSelectTextColor_; }
  void SetHideSelectTextColor(TColor v) { if (Change(hideSelectTextColor_, v)) Invalidate(); }
  int HighlightAlphaLevel() const { return highlightAlphaLevel_; }
  void SetHighlightAlphaLevel(int v);
  bool UseDisabledColors() const { return useDisabledColors_; }
  void SetUseDisabledColors(bool v) { if (Change(useDisabledColors_, v)) Invalidate(); }
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor v) { if (Change(disabledColor_, v)) Invalidate(); }
  TColor DisabledFontColor() const { return disabledFontColor_; }
  void SetDisabledFontColor(TColor v) { if (Change(disabledFontColor_, v)) Invalidate(); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool UseBackground() const { return useBackground_; }
  void SetUseBackground(bool v) { if (Change(useBackground_, v)) Invalidate(); }
  TBitmap* Background() const { return background_.get(); }
  bool HandleDialogKeys() const { return handleDialogKeys_; }
  void SetHandleDialogKeys(bool v) { handleDialogKeys_ = v; }
  bool NotifyUserChangeOnly() const { return notifyUserChangeOnly_; }
  void SetNotifyUserChangeOnly(bool v) { notifyUserChangeOnly_ = v; }
  bool UseSystemMenu() const { return useSystemMenu_; }
  void SetUseSystemMenu(bool v) { useSystemMenu_ = v; }
  // A control (its label) kept beside the edit wherever the edit goes.
  TControl* LinkedControl() const { return linked_; }
  void SetLinkedControl(TControl* control);
  TEdLinkCtlPos LinkedControlPosition() const { return linkedPosition_; }
  void SetLinkedControlPosition(TEdLinkCtlPos value) { linkedPosition_ = value; PlaceLinkedControl(); }
  int LinkedControlSpacing() const { return linkedSpacing_; }
  void SetLinkedControlSpacing(int value) { linkedSpacing_ = value; PlaceLinkedControl(); }
  // Stored for callers: this edit draws no image form and no scroll bars of its own.
  TComponent* ImageForm() const { return imageForm_; }
  void SetImageForm(TComponent* form) { imageForm_ = form; }
  bool UseCustomScrollBars() const { return useCustomScrollBars_; }
  void SetUseCustomScrollBars(bool v) { useCustomScrollBars_ = v; }
  // What a description says of the scroll-bar styles ("VertScrollBarStyles.Color" and the like).
  const std::map<std::string, std::string>& ScrollBarStyles() const { return scrollBarStyles_; }
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;

  TNotifyEvent OnChange, OnSelectionChange, OnMouseEnter, OnMouseLeave, OnResize;
  TContextPopupEvent OnContextPopup;

  // Geometry shared by painting, hit-testing and the caret (client coordinates).
  virtual POINT CharPosToPixel(TEdPos pos);  // top left of the caret there
  virtual TEdPos PixelToCharPos(int x, int y);
  // Draws the border (or the theme's frame) into a context whose origin is the window's top left.
  void PaintBorder(HDC dc);
  bool FocusedOrHot() const { return Focused() || hot_; }

  void WndProc(TMessage& message) override;
  void DescribeAccessible(TAccessibleInfo& info) const override;
  void Loaded() override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  virtual void NotifyTextChange();
  virtual void SelectionChange();
  virtual void PaintText(TCanvas& canvas);
  virtual TColor BackgroundColor() const;
  virtual TColor TextColor() const;
  virtual std::unique_ptr<TEdTextPainter> CreateTextPainter();
  TEdTextPainter& Painter();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PaintBackground(HDC) override {}  // the text paint fills the whole client
  void Paint() override;
  // Typed text must never flicker, whatever the description asks of the framework's buffer.
  bool PaintsBuffered() const override { return true; }
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(wchar_t& key) override;
  void DoEnter() override;
  void DoExit() override;
  LRESULT DialogCode(LRESULT defaultCode) override;
  void NCCalcSize(TMessage& message) override;
  void NCPaint(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void AdjustSize() override;
  void ThemeChanged() override;
  void BoundsChanged() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Shows the context menu at a screen point; returns the command picked, 0 for none.
  virtual UINT TrackContextMenu(HMENU menu, POINT screenPoint);

  template <class T>
  static bool Change(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
  }

private:
  bool OwnBorder() const;  // flat look drawn and reserved by the edit itself
  int BorderWidth() const;
  DWORD WindowStyle(DWORD style) const;
  void PlaceLinkedControl();
  DWORD WindowExStyle(DWORD exStyle) const;
  void UpdateWindowStyles();
  void RedrawBorder();
  void Relayout();
  void UpdateScrollInfo();
  void ScrollToCaret();
  void UpdateCaret();
  void CreateCaretNow();
  void StoreText(const TEdFString& text);
  TEdFString ApplyCharCase(const TEdFString& text) const;
  TEdFString VisualText(int line, int from, int to) const;
  std::vector<int> ColumnEdges(int line, int from);
  int LineLeft(int line);
  int ShownCount(int line, int from, int width);
  int TextWidthFrom(int line, int from, int to);
  // Replaces from..to with text: records undo, moves caret and anchor after it; true when the text changed.
  bool Replace(TEdPos from, TEdPos to, const TEdFString& text, TEdActionKind kind);
  void AfterOperation(bool changed);
  void MoveCaret(TEdPos pos, bool extend);
  bool HandleKey(WORD key, TShiftState shift);
  void InsertTyped(const TEdFString& text);
  // The text would replace the selection without going over MaxLength (a replacement that
  // does not lengthen the text always fits).
  bool FitsMaxLength(size_t units) const;
  void EndMouseSelection();
  void ShowContextMenu(POINT screenPoint);
  bool HandleCommand(UINT id);
  void ApplyAction(const TEdEditAction& action, bool backwards);
  void PaintLine(HDC dc, int line, int bottom);
  void PaintSelectionBand(HDC dc, const RECT& band, TColor color);

  TEdEditStrings strings_;
  TEdPos caret_, anchor_;
  int firstLine_ = 0, visibleLines_ = 1, firstCol_ = 0, lineHeight_ = 13;
  RECT editRect_{0, 0, 0, 0};
  bool modified_ = false;
  TEdUndoList undo_, redo_;
  TEdFString tabReplacement_ = L"    ";
  std::unique_ptr<TEdTextPainter> painter_;
  TCaret sysCaret_;
  bool mouseSelecting_ = false, doubleClick_ = false, hot_ = false;
  int changeCount_ = 0;
  wchar_t pendingHigh_ = 0;  // a typed high surrogate waiting for its pair

  bool readOnly_ = false;
  int maxLength_ = 0;
  TAlignment alignment_ = taLeftJustify;
  TEditCharCase charCase_ = ecNormal;
  wchar_t passwordChar_ = 0;
  bool multiLine_ = false, wantTabs_ = false, wantReturns_ = true;
  bool autoSelect_ = false, hideSelection_ = true;
  int leftMargin_ = 1, rightMargin_ = 1, topMargin_ = 1;
  TBorderStyle borderStyle_ = bsSingle;
  TEdBorderSides borderSides_ = kEdAllBorderSides;
  bool ctl3D_ = true, parentCtl3D_ = true, flat_ = false;
  TEdFlatBorderType activeBorderType_ = fbtSunken, inactiveBorderType_ = fbtSunkenOuter;
  TColor lineBorderActiveColor_ = clBlack, lineBorderInactiveColor_ = clBlack;
  TEdBorderColors borderColors_;
  TColor focusedSelectColor_ = clHighlight, focusedSelectTextColor_ = clHighlightText;
  TColor hideSelectColor_ = clBtnFace, hideSelectTextColor_ = clBtnShadow;
  int highlightAlphaLevel_ = 255;
  bool useDisabledColors_ = false;
  TColor disabledColor_ = clBtnFace, disabledFontColor_ = clGrayText;
  bool transparent_ = false, useBackground_ = false;
  std::unique_ptr<TBitmap> background_;
  bool handleDialogKeys_ = false, notifyUserChangeOnly_ = true, useSystemMenu_ = true;
  TControl* linked_ = nullptr;
  TEdLinkCtlPos linkedPosition_ = lcpTopLeft;
  int linkedSpacing_ = 0;
  TComponent* imageForm_ = nullptr;
  bool useCustomScrollBars_ = true;
  std::map<std::string, std::string> scrollBarStyles_;
};

class TEdEdit : public TCustomEdEdit {
public:
  using TCustomEdEdit::TCustomEdEdit;
};
