// TOmCustomButton / TOmButton: the system push button switched to owner drawing, with fourteen
// face looks (themed and classic), a hover look, a glyph beside the caption, caption effects,
// click repeat while held and an optional drop-down menu. OmDrawButtonFrame and
// OmDrawClassicButton draw the faces and return the content rectangle.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <windows.h>
#include "controls/buttons/glyph.h"
#include "controls/buttons/glyph_text_layout.h"
#include "controls/drawing/fx_caption.h"
#include "controls/drawing/image_list.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"

enum TOmUserButtonStyle : std::uint8_t {
  ubsAutoDetect, ubsWin31, ubsWin40, ubsOutlined, ubsOutlinedFlat, ubsFlat, ubsFlatUnColored, ubsNavigator,
  ubsExplorer, ubsExplorerColored, ubsIntegrated, ubsWinXP, ubsWinXPCombo, ubsWinXPTool,
};

// Frame flags of the face routines.
constexpr UINT kOmFrameDefault = 0x1;     // draw the default frame corners (Win31 look)
constexpr UINT kOmFrameActive = 0x2;      // the form's active button: focus rectangle
constexpr UINT kOmFrameFlatWin40 = 0x4;   // the flatter Win40 form
constexpr UINT kOmFrameFocused = 0x20;    // the button has the keyboard focus
constexpr UINT kOmFrameHot = 0x40;        // the mouse is over it
constexpr UINT kOmFrameSplit = 0x80;      // themed toolbar: split button
constexpr UINT kOmFrameDropDown = 0x100;  // with kOmFrameSplit: its drop-down half

// Draw states: 0 up, 1 disabled, 2 mouse over, 4 pressed (3, 6 pressed and 7 disabled for other owners).
constexpr int kOmDrawUp = 0, kOmDrawDisabled = 1, kOmDrawHot = 2, kOmDrawPressed = 4;

// Draws a face of `style` into r for `window` (themed parts need it) and leaves r as the content.
void OmDrawButtonFrame(HWND window, TCanvas& canvas, bool hot, TColor color, UINT flags, int drawState,
                       TOmUserButtonStyle style, RECT& r);
void OmDrawClassicButton(TCanvas& canvas, bool hot, RECT& r, TColor color, UINT flags, int drawState,
                         TOmUserButtonStyle style);
// The style a face is drawn in once the theme switch and library are known.
TOmUserButtonStyle OmResolveButtonStyle(TOmUserButtonStyle style, bool themesInUse);

class TOmCustomButton : public TButton {
public:
  explicit TOmCustomButton(TComponent* owner);
  ~TOmCustomButton() override;

  TOmButtonLayout* ButtonLayout() const { return buttonLayout_.get(); }
  void SetButtonLayout(const TOmButtonLayout& layout) { buttonLayout_->Assign(layout); }
  TOmFxCaption* FontFX() const { return fontFX_.get(); }
  void SetFontFX(const TOmFxCaption& caption) { fontFX_->Assign(caption); }
  TBitmap* Glyph() const { return &glyph_->Bitmap(); }
  void SetGlyph(const TBitmap* bitmap);
  TOmGlyph& GlyphImages() { return *glyph_; }
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int count);
  TOmUserButtonStyle ExtStyle() const { return extStyle_; }
  void SetExtStyle(TOmUserButtonStyle style);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  bool UseCaption() const { return useCaption_; }
  void SetUseCaption(bool value);
  bool HideHint() const { return hideHint_; }
  void SetHideHint(bool value) { hideHint_ = value; }
  bool HidesHintOnLeave() const override { return hideHint_; }
  bool RepeatedClick() const { return repeatedClick_; }
  void SetRepeatedClick(bool value) { repeatedClick_ = value; }
  int RepeatingDelay() const { return repeatingDelay_; }
  void SetRepeatingDelay(int ms) { repeatingDelay_ = static_cast<std::uint16_t>(ms); }
  int RepeatingInterval() const { return repeatingInterval_; }
  void SetRepeatingInterval(int ms) { repeatingInterval_ = static_cast<std::uint16_t>(ms); }
  // The glyph comes from (ListIndex, ImageIndex) of the list while one is set; a glyph set in
  // code detaches the list.
  TOmCustomImageList* ImageList() const { return imageList_; }
  void SetImageList(TOmCustomImageList* list);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int index);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { wordWrap_ = value; }  // this button draws its own caption
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* menu);
  int DropDownIndent() const { return dropDownIndent_; }
  void SetDropDownIndent(int indent) { dropDownIndent_ = indent; }
  bool DropDownRight() const { return dropDownRight_; }
  void SetDropDownRight(bool value) { dropDownRight_ = value; }
  const std::string& About() const { return about_; }
  void SetAbout(const std::string&) {}  // shown, never stored

  bool Hot() const { return hot_; }
  bool ActiveLook() const { return active_; }
  int DrawState() const { return drawState_; }
  bool MenuOpen() const { return menuOpen_; }

  TNotifyEvent OnMouseEnter, OnMouseExit, OnDropDown;

  void Click() override;
  void SetVisible(bool visible) override;
  void WndProc(TMessage& message) override;
  void Loaded() override;
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;
  void WriteCustomProperties(std::vector<TFormProperty>& out) const override;
  // Shows the drop-down menu below (or right of) the button and returns when it closes.
  virtual void DropDown();

  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void CreateParams(TCreateParams& params) override;
  void SetActiveLook(bool active) override;
  void Notification(TComponent* component, TOperation operation) override;
  void ButtonContentChanged(TObject* sender);
  virtual void DrawButton(const DRAWITEMSTRUCT& item);
  bool PaintPictureAhead(HDC target) override;
  void DrawCaption(TCanvas& canvas, RECT& r, UINT format);
  void RepeatTick();
  void StopRepeat();
  void UpdateFromImageList();

private:
  std::string about_;
  std::unique_ptr<TOmButtonLayout> buttonLayout_;
  TCanvas canvas_;
  TPopupMenu* dropDownMenu_ = nullptr;
  int dropDownIndent_ = 0;
  bool dropDownRight_ = false;
  bool menuOpen_ = false;
  std::unique_ptr<TOmFxCaption> fontFX_;
  bool active_ = false;
  bool hot_ = false;
  bool multiLine_ = false;
  bool repeatedClick_ = false;
  std::uint16_t repeatingDelay_ = 500, repeatingInterval_ = 100;
  int drawState_ = kOmDrawUp;
  TOmUserButtonStyle extStyle_ = ubsAutoDetect;
  bool repeatTimer_ = false;
  bool hideHint_ = true;
  bool useCaption_ = true;
  std::unique_ptr<TOmGlyph> glyph_;
  TOmCustomImageList* imageList_ = nullptr;
  int imageIndex_ = 0, listIndex_ = 0;
  TOmChangeLink imageLink_;
  bool wordWrap_ = false;
  int themeListener_ = 0;
};

// The published button, with its drop-down menu.
class TOmButton : public TOmCustomButton {
public:
  explicit TOmButton(TComponent* owner) : TOmCustomButton(owner) {}
};

const TEnumNames<TOmUserButtonStyle>& OmUserButtonStyleNames();
