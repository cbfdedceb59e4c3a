// TCustomEdButtonEdit: the edit with a main and an alt button inside its client area, which
// narrow the text area, click by mouse or shortcut, and republish the buttons' looks.
// TEdEditBtn: the graphic button it embeds.
#pragma once
#include <functional>
#include <memory>
#include "controls/edits/custom_edit.h"
#include "controls/edits/graphic_button.h"

class TEdEditBtn : public TCustomEdGraphicButton {
public:
  using TCustomEdGraphicButton::TCustomEdGraphicButton;
};

using TLeftRight = TAlignment;  // taLeftJustify or taRightJustify

// Key code in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
using TShortCut = int;
TShortCut ShortCutOf(WORD key, TShiftState shift);

struct TEdButtonEditLayout {
  RECT mainButton{}, altButton{}, text{};
};
// Where the buttons and the text go in a client area of that size; `inset` is the thin-border
// size used by a single border without 3D look (0 otherwise).
TEdButtonEditLayout LayoutButtonEdit(int width, int height, bool mainVisible, int mainWidth, bool altVisible,
                                     int altWidth, TLeftRight altPosition, SIZE inset, bool multiLine);

class TCustomEdButtonEdit : public TCustomEdEdit {
public:
  // Makes each of the two buttons; a descendant may give its own kind.
  using TButtonFactory = std::function<std::unique_ptr<TCustomEdGraphicButton>()>;

  explicit TCustomEdButtonEdit(TComponent* owner, TButtonFactory factory = nullptr);
  ~TCustomEdButtonEdit() override;

  TCustomEdGraphicButton* MainButton() const { return main_.get(); }
  TCustomEdGraphicButton* AltButton() const { return alt_.get(); }
  const TEdFString& ButtonHint() const { return main_->WideHint(); }
  void SetButtonHint(const TEdFString& hint) { main_->SetWideHint(hint); }
  const TEdFString& AltButtonHint() const { return alt_->WideHint(); }
  void SetAltButtonHint(const TEdFString& hint) { alt_->SetWideHint(hint); }

  TShortCut ButtonShortcut() const { return buttonShortcut_; }
  void SetButtonShortcut(TShortCut value) { buttonShortcut_ = value; }
  TShortCut AltButtonShortcut() const { return altButtonShortcut_; }
  void SetAltButtonShortcut(TShortCut value) { altButtonShortcut_ = value; }
  TLeftRight AltButtonPosition() const { return altPosition_; }
  void SetAltButtonPosition(TLeftRight value);

  int ButtonWidth() const { return main_->Width(); }
  void SetButtonWidth(int value) { SetButtonWidthOf(*main_, value); }
  int AltButtonWidth() const { return alt_->Width(); }
  void SetAltButtonWidth(int value) { SetButtonWidthOf(*alt_, value); }
  bool ButtonVisible() const { return main_->Visible(); }
  void SetButtonVisible(bool value) { SetButtonVisibleOf(*main_, value); }
  bool AltButtonVisible() const { return alt_->Visible(); }
  void SetAltButtonVisible(bool value) { SetButtonVisibleOf(*alt_, value); }
  bool AltButtonEnabled() const { return alt_->Enabled(); }
  void SetAltButtonEnabled(bool value) { alt_->SetEnabled(value); }
  TBitmap* ButtonGlyph() const { return main_->Glyph(); }
  virtual void SetButtonGlyph(const TBitmap& glyph) { main_->SetGlyph(glyph); }
  TBitmap* AltButtonGlyph() const { return alt_->Glyph(); }
  TIcon* ButtonIcon() const { return main_->Icon(); }
  TIcon* AltButtonIcon() const { return alt_->Icon(); }
  TColor ButtonColor() const { return main_->Color(); }
  void SetButtonColor(TColor value) { main_->SetColor(value); }
  bool ButtonFlat() const { return main_->Flat(); }
  void SetButtonFlat(bool value) { main_->SetFlat(value); }
  bool AltButtonFlat() const { return alt_->Flat(); }
  void SetAltButtonFlat(bool value) { alt_->SetFlat(value); }
  bool ButtonUseIcon() const { return main_->UseIcon(); }
  void SetButtonUseIcon(bool value) { main_->SetUseIcon(value); }
  bool AltButtonUseIcon() const { return alt_->UseIcon(); }
  void SetAltButtonUseIcon(bool value) { alt_->SetUseIcon(value); }
  int ButtonNumGlyphs() const { return main_->NumGlyphs(); }
  void SetButtonNumGlyphs(int value) { main_->SetNumGlyphs(value); }
  int AltButtonNumGlyphs() const { return alt_->NumGlyphs(); }
  void SetAltButtonNumGlyphs(int value) { alt_->SetNumGlyphs(value); }
  bool ButtonShowBorder() const { return main_->ShowBorder(); }
  void SetButtonShowBorder(bool value) { main_->SetShowBorder(value); }
  bool AltButtonShowBorder() const { return alt_->ShowBorder(); }
  void SetAltButtonShowBorder(bool value) { alt_->SetShowBorder(value); }
  bool ButtonThinFrame() const { return main_->ThinFrame(); }
  void SetButtonThinFrame(bool value) { main_->SetThinFrame(value); }
  bool AltButtonThinFrame() const { return alt_->ThinFrame(); }
  void SetAltButtonThinFrame(bool value) { alt_->SetThinFrame(value); }
  bool ButtonOldStyled() const { return main_->OldStyled(); }
  void SetButtonOldStyled(bool value) { main_->SetOldStyled(value); }
  bool AltButtonOldStyled() const { return alt_->OldStyled(); }
  void SetAltButtonOldStyled(bool value) { alt_->SetOldStyled(value); }
  const std::string& AltButtonCaption() const { return alt_->Caption(); }
  void SetAltButtonCaption(const std::string& value) { alt_->SetCaption(value); }
  bool AltButtonDown() const { return alt_->Down(); }
  void SetAltButtonDown(bool value) { alt_->SetDown(value); }
  TPopupPlace AltButtonPopupPlace() const { return alt_->PopupPlace(); }
  void SetAltButtonPopupPlace(TPopupPlace value) { alt_->SetPopupPlace(value); }

  TNotifyEvent OnButtonClick, OnAltButtonClick;
  // Kept for callers: this program plays no sounds.
  void SetButtonSoundMap(TComponent* map) { main_->SoundMap = map; }
  void SetAltButtonSoundMap(TComponent* map) { alt_->SoundMap = map; }
  TPopupMenu* AltButtonPullDownMenu() const { return alt_->PullDownMenu(); }
  void SetAltButtonPullDownMenu(TPopupMenu* menu) { alt_->SetPullDownMenu(menu); }

  void SetEditRect(const RECT& rect) override;
  void SetUseXPThemes(bool value) override;
  void SetFlat(bool value) override;
  void SetActiveBorderType(TEdFlatBorderType value) override;
  void SetInactiveBorderType(TEdFlatBorderType value) override;
  void SetLineBorderActiveColor(TColor value) override;
  void SetLineBorderInactiveColor(TColor value) override;

  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(wchar_t& key) override;
  LRESULT DialogCode(LRESULT defaultCode) override;
  virtual void MainButtonClick();
  virtual void AltButtonClick();
  void LayOutAgain();

private:
  std::unique_ptr<TCustomEdGraphicButton> MakeButton(const TButtonFactory& factory, bool visible);
  void SetButtonWidthOf(TCustomEdGraphicButton& button, int width);
  void SetButtonVisibleOf(TCustomEdGraphicButton& button, bool visible);
  void SyncLineBorder();

  std::unique_ptr<TCustomEdGraphicButton> main_, alt_;
  TShortCut buttonShortcut_ = 0, altButtonShortcut_ = 0;
  TLeftRight altPosition_ = taRightJustify;
};
