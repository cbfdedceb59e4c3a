#include "controls/edits/button_edit.h"
#include "framework/properties.h"

TShortCut ShortCutOf(WORD key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift.Contains(ssShift)) result |= 0x2000;
  if (shift.Contains(ssCtrl)) result |= 0x4000;
  if (shift.Contains(ssAlt)) result |= 0x8000;
  return result;
}

TEdButtonEditLayout LayoutButtonEdit(int width, int height, bool mainVisible, int mainWidth, bool altVisible,
                                     int altWidth, TLeftRight altPosition, SIZE inset, bool multiLine) {
  const int bx = inset.cx, by = inset.cy;
  TEdButtonEditLayout l;
  if (mainVisible)
    l.mainButton = {width - mainWidth - bx, by, width - bx, multiLine ? std::min(mainWidth, height - by) : height - by};
  if (altVisible) {
    const bool left = altPosition == taLeftJustify;
    const int bottom = multiLine ? std::min(altWidth, height - by) : height - by;
    if (mainVisible)
      l.altButton = left ? RECT{bx, by, altWidth + bx, bottom}
                         : RECT{width - mainWidth - altWidth - bx, by, width - mainWidth - bx, bottom};
    else
      l.altButton = left ? RECT{bx, by, altWidth, bottom} : RECT{width - altWidth - bx, by, width, bottom};
  }
  l.text = {bx, by, width - bx, height - by};
  if (mainVisible) l.text.right -= mainWidth;
  if (altVisible) {
    if (altPosition == taLeftJustify) l.text.left += altWidth;
    else l.text.right -= altWidth;
  }
  return l;
}

TCustomEdButtonEdit::TCustomEdButtonEdit(TComponent* owner, TButtonFactory factory) : TCustomEdEdit(owner) {
  BeginCreate();
  main_ = MakeButton(factory, true);
  alt_ = MakeButton(factory, false);
  main_->OnClick = [this](TObject*) { MainButtonClick(); };
  alt_->OnClick = [this](TObject*) { AltButtonClick(); };
  altPosition_ = taRightJustify;
  SetTabStop(true);
  EndCreate();
}

TCustomEdButtonEdit::~TCustomEdButtonEdit() {
  // Main first, then alt; gone before the edit part is torn down.
  main_.reset();
  alt_.reset();
}

std::unique_ptr<TCustomEdGraphicButton> TCustomEdButtonEdit::MakeButton(const TButtonFactory& factory, bool visible) {
  std::unique_ptr<TCustomEdGraphicButton> button = factory ? factory() : std::make_unique<TEdEditBtn>(nullptr);
  button->SetCursor(crArrow);  // the edit's I-beam never shows over a button
  button->SetParentColor(false);
  button->SetColor(clBtnFace);
  button->SetParent(this);
  button->SetUseXPThemes(false);
  button->SetUseXPThemes(true);
  button->SetWidth(15);
  button->SetFlat(false);
  button->SetVisible(visible);
  button->SetContentInset(false);  // the glyph is centred in the whole button
  if (IsDesigning()) button->SetEnabled(false);
  return button;
}

void TCustomEdButtonEdit::MainButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TCustomEdButtonEdit::AltButtonClick() {
  if (OnAltButtonClick) OnAltButtonClick(this);
}

void TCustomEdButtonEdit::LayOutAgain() {
  if (!HandleAllocated()) return;
  SetEditRect(ClientRect());
  Invalidate();
}

void TCustomEdButtonEdit::SetButtonWidthOf(TCustomEdGraphicButton& button, int width) {
  button.SetWidth(width);
  if (button.Visible()) LayOutAgain();
}

void TCustomEdButtonEdit::SetButtonVisibleOf(TCustomEdGraphicButton& button, bool visible) {
  button.SetVisible(visible);
  LayOutAgain();
}

void TCustomEdButtonEdit::SetAltButtonPosition(TLeftRight value) {
  if (value == altPosition_) return;
  altPosition_ = value;
  LayOutAgain();
}

void TCustomEdButtonEdit::SetEditRect(const RECT& rect) {
  if (!HandleAllocated() || IsDestroying() || !main_ || !alt_) return TCustomEdEdit::SetEditRect(rect);
  SIZE inset{0, 0};
  if (BorderStyle() == bsSingle && !Ctl3D()) inset = {GetSystemMetrics(SM_CYBORDER), GetSystemMetrics(SM_CXBORDER)};
  const TEdButtonEditLayout l =
      LayoutButtonEdit(rect.right - rect.left, rect.bottom - rect.top, main_->Visible(), main_->Width(),
                       alt_->Visible(), alt_->Width(), altPosition_, inset, Multiline());
  auto place = [](TCustomEdGraphicButton& button, const RECT& r) {
    if (button.Visible()) button.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  };
  place(*main_, l.mainButton);
  place(*alt_, l.altButton);
  TCustomEdEdit::SetEditRect(l.text);
}

void TCustomEdButtonEdit::KeyDown(WORD& key, TShiftState shift) {
  if (key != 0) {
    const TShortCut shortcut = ShortCutOf(key, shift);
    for (auto [button, wanted] : {std::pair{main_.get(), buttonShortcut_}, std::pair{alt_.get(), altButtonShortcut_}}) {
      if (wanted != 0 && shortcut == wanted && button->Visible() && button->Enabled()) {
        key = 0;
        button->Click();
        return;
      }
    }
  }
  TCustomEdEdit::KeyDown(key, shift);
}

void TCustomEdButtonEdit::KeyPress(wchar_t& key) {
  const bool isReturn = key == L'\r';
  TCustomEdEdit::KeyPress(key);
  // Neither a beep nor the form's default button from a single-line edit.
  if (isReturn && !Multiline()) key = 0;
}

LRESULT TCustomEdButtonEdit::DialogCode(LRESULT defaultCode) {
  LRESULT code = TCustomEdEdit::DialogCode(defaultCode);
  if (Multiline()) code |= DLGC_WANTALLKEYS;
  return code;
}

void TCustomEdButtonEdit::SetUseXPThemes(bool value) {
  TCustomEdEdit::SetUseXPThemes(value);
  if (main_) main_->SetUseXPThemes(value);
  if (alt_) alt_->SetUseXPThemes(value);
}

void TCustomEdButtonEdit::SyncLineBorder() {
  if (!main_ || !alt_) return;
  const bool line = Flat() && ActiveBorderType() == fbtColorLineBorder && InactiveBorderType() == fbtColorLineBorder;
  for (TCustomEdGraphicButton* button : {main_.get(), alt_.get()}) {
    button->SetLineBorder(line);
    button->SetLineBorderActiveColor(LineBorderActiveColor());
    button->SetLineBorderPressedColor(LineBorderActiveColor());
    button->SetLineBorderInactiveColor(LineBorderInactiveColor());
  }
}

void TCustomEdButtonEdit::SetFlat(bool value) {
  TCustomEdEdit::SetFlat(value);
  SyncLineBorder();
}

void TCustomEdButtonEdit::SetActiveBorderType(TEdFlatBorderType value) {
  TCustomEdEdit::SetActiveBorderType(value);
  SyncLineBorder();
}

void TCustomEdButtonEdit::SetInactiveBorderType(TEdFlatBorderType value) {
  TCustomEdEdit::SetInactiveBorderType(value);
  SyncLineBorder();
}

void TCustomEdButtonEdit::SetLineBorderActiveColor(TColor value) {
  TCustomEdEdit::SetLineBorderActiveColor(value);
  SyncLineBorder();
}

void TCustomEdButtonEdit::SetLineBorderInactiveColor(TColor value) {
  TCustomEdEdit::SetLineBorderInactiveColor(value);
  SyncLineBorder();
}

void TCustomEdButtonEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
      // A dialog's Cancel button reacts to Escape even though the edit takes the key too.
      if (m.WParam == VK_ESCAPE && KeyboardShiftState().Empty())
        if (TForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, m.WParam, m.LParam);
      break;
    case CM_ENABLEDCHANGED:
      TCustomEdEdit::WndProc(m);
      for (TControl* child : std::vector<TControl*>(Controls())) child->Perform(CM_ENABLEDCHANGED);
      return;
    case WM_THEMECHANGED:
      TCustomEdEdit::WndProc(m);
      for (TCustomEdGraphicButton* button : {main_.get(), alt_.get()}) button->Perform(WM_THEMECHANGED);
      return;
    default: break;
  }
  TCustomEdEdit::WndProc(m);
}

namespace {
using TButtonOf = TCustomEdGraphicButton& (*)(TPersistent&);
TCustomEdGraphicButton& MainOf(TPersistent& t) { return *static_cast<TCustomEdButtonEdit&>(t).MainButton(); }
TCustomEdGraphicButton& AltOf(TPersistent& t) { return *static_cast<TCustomEdButtonEdit&>(t).AltButton(); }

TPropInfo BoolTo(TButtonOf of, void (TCustomEdGraphicButton::*setter)(bool)) {
  return {[of, setter](TPersistent& t, const TFormValue& v, TReadContext&) { (of(t).*setter)(ValueToBool(v)); },
          nullptr, nullptr};
}
TPropInfo IntTo(TButtonOf of, void (TCustomEdGraphicButton::*setter)(int)) {
  return {[of, setter](TPersistent& t, const TFormValue& v, TReadContext&) {
    (of(t).*setter)(static_cast<int>(ValueToInteger(v))); }, nullptr, nullptr};
}
TPropInfo StringTo(TButtonOf of, std::string TCustomEdGraphicButton::*field) {
  return {[of, field](TPersistent& t, const TFormValue& v, TReadContext&) { of(t).*field = ValueToString(v); },
          nullptr, nullptr};
}
TPropInfo HintTo(TButtonOf of) {
  return {[of](TPersistent& t, const TFormValue& v, TReadContext&) { of(t).SetHint(ValueToString(v)); }, nullptr,
          nullptr};
}

const TEnumNames<TPopupPlace>& PopupPlaceNames() {
  static const TEnumNames<TPopupPlace> names = {{"ppDown", ppDown}, {"ppRight", ppRight}, {"ppTop", ppTop}};
  return names;
}
const TEnumNames<TLeftRight>& LeftRightNames() {
  static const TEnumNames<TLeftRight> names = {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}};
  return names;
}
}  // namespace

const TPropTable& TCustomEdButtonEdit::Properties() {
  static const TPropTable table = [] {
    using E = TCustomEdButtonEdit;
    using B = TCustomEdGraphicButton;
    TPropTable t(&TCustomEdEdit::Properties());
    for (auto [prefix, of] : {std::pair{"Button", &MainOf}, std::pair{"AltButton", &AltOf}}) {
      const std::string p = prefix;
      t.Add(p + "ClickSound", StringTo(of, &B::ClickSound));
      t.Add(p + "DownSound", StringTo(of, &B::DownSound));
      t.Add(p + "UpSound", StringTo(of, &B::UpSound));
      t.Add(p + "Flat", BoolTo(of, &B::SetFlat));
      t.Add(p + "Hint", HintTo(of));
      t.Add(p + "UseIcon", BoolTo(of, &B::SetUseIcon));
      t.Add(p + "NumGlyphs", IntTo(of, &B::SetNumGlyphs));
      t.Add(p + "ShowBorder", BoolTo(of, &B::SetShowBorder));
      t.Add(p + "ThinFrame", BoolTo(of, &B::SetThinFrame));
      t.Add(p + "OldStyled", BoolTo(of, &B::SetOldStyled));
    }
    t.Add("ButtonColor", ColorProp(&E::SetButtonColor));
    t.Add("ButtonGlyph.Data", GlyphSetterProp([](TPersistent& c, const TBitmap& glyph) {
      static_cast<E&>(c).SetButtonGlyph(glyph); }));
    t.Add("ButtonIcon.Data", IconDataProp([](TPersistent& c) { return MainOf(c).Icon(); }));
    t.Add("AltButtonIcon.Data", IconDataProp([](TPersistent& c) { return AltOf(c).Icon(); }));
    t.Add("ButtonSoundMap", ComponentProp(&E::SetButtonSoundMap));
    t.Add("AltButtonSoundMap", ComponentProp(&E::SetAltButtonSoundMap));
    t.Add("AltButtonPullDownMenu", ComponentProp(&E::SetAltButtonPullDownMenu));
    t.Add("AltButtonGlyph.Data", GlyphDataProp([](TPersistent& c) { return AltOf(c).Glyph(); }));
    t.Add("AltButtonCaption", StringProp(&E::SetAltButtonCaption));
    t.Add("AltButtonDown", BoolProp(&E::SetAltButtonDown));
    t.Add("AltButtonEnabled", BoolProp(&E::SetAltButtonEnabled));
    t.Add("ButtonWidth", IntProp(&E::SetButtonWidth));
    t.Add("AltButtonWidth", IntProp(&E::SetAltButtonWidth));
    t.Add("ButtonVisible", BoolProp(&E::SetButtonVisible));
    t.Add("AltButtonVisible", BoolProp(&E::SetAltButtonVisible));
    t.Add("ButtonShortcut", IntProp(&E::SetButtonShortcut));
    t.Add("AltButtonShortcut", IntProp(&E::SetAltButtonShortcut));
    t.Add("AltButtonPosition", EnumProp(&E::SetAltButtonPosition, LeftRightNames()));
    t.Add("AltButtonPopupPlace", EnumProp(&E::SetAltButtonPopupPlace, PopupPlaceNames()));
    t.Add("OnButtonClick", EventProp(&E::OnButtonClick));
    t.Add("OnAltButtonClick", EventProp(&E::OnAltButtonClick));
    return t;
  }();
  return table;
}
