#include "controls/labels/custom_control.h"
#include "controls/labels/form_shape.h"
#include "controls/labels/control.h"
#include "framework/form_reader.h"
#include "framework/themes.h"

// ---- TOmCustomControl

TOmCustomControl::TOmCustomControl(TComponent* owner)
    : TCustomControl(owner), backFX_(std::make_unique<TOmBitmapEffectObject>()) {
  SetBounds(Left(), Top(), 100, 40);
  SetTabStop(false);
  controlStyle_.Include(csOpaque);  // until it is made transparent
  changeLink_.OnChange = [this](TObject* sender) { ImageListChanged(sender); };
  backFX_->OnChange = [this](TObject* sender) { SubObjectChanged(sender); };
  OmRegisterThemeClient(this, true);
}

TOmCustomControl::~TOmCustomControl() {
  OmUnregisterThemeClient(this);
  backFX_->OnChange = nullptr;
  changeLink_.OnChange = nullptr;
}

void TOmCustomControl::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  if (transparent) controlStyle_.Exclude(csOpaque);
  else controlStyle_.Include(csOpaque);
  RecreateWnd();
}

void TOmCustomControl::SetImageList(TOmCustomImageList* list) {
  if (list == imageList_) return;
  if (imageList_) imageList_->UnRegisterChanges(changeLink_);
  imageList_ = list;
  if (imageList_) {
    imageList_->RegisterChanges(changeLink_);
    imageList_->FreeNotification(this);
  }
  ImageListChanged(nullptr);
}

void TOmCustomControl::SetImageIndex(int index) {
  if (index < 0 || index == imageIndex_) return;
  imageIndex_ = index;
  if (imageList_) ImageListChanged(nullptr);
}

void TOmCustomControl::SetListIndex(int index) {
  if (index < 0 || index == listIndex_) return;
  listIndex_ = index;
  if (imageList_) ImageListChanged(nullptr);
}

void TOmCustomControl::SetCtlXP(bool value) {
  if (value == ctlXP_) return;
  ctlXP_ = value;
  ThemeChanged();
}

bool TOmCustomControl::ThemedDrawing() const { return SupportsThemes() && ThemesInUse() && ctlXP_; }

bool TOmCustomControl::UsesThemeParentBackground() const {
  return transparent_ && ThemesInUse() && ctlXP_ && !HasBackgroundImage();
}

bool TOmCustomControl::CopyBackground(TCanvas&, const RECT&, unsigned, POINT) { return false; }

bool TOmCustomControl::DrawThemeParentBackgroundOn(HDC dc, const RECT* rect) {
  return HandleAllocated() && DrawThemeParentBackgroundOf(Handle(), dc, rect);
}

TThemeData TOmCustomControl::OpenTheme(const wchar_t* classList) { return TThemeData(Handle(), classList); }

void TOmCustomControl::ThemeChanged() {
  Invalidate();
  SendToChildren(OMSG_THEMECHANGED);
}

void TOmCustomControl::SendToChildren(UINT msg) {
  for (TControl* child : std::vector<TControl*>(Controls())) child->Perform(msg);
}

void TOmCustomControl::PaintGraphicChildrenNow() {
  if (!HandleAllocated()) return;
  LookChanged(false);  // drawn past the kept picture
  const TWindowDC dc(Handle());
  if (dc.Get()) PaintControls(dc.Get());
}

void TOmCustomControl::PaintBackground(HDC dc) {
  themeBackgroundDone_ = false;
  if (transparent_) {
    if (UsesThemeParentBackground() && CanDrawThemeParentBackground() && DrawThemeParentBackgroundOn(dc, nullptr))
      themeBackgroundDone_ = true;
    return;  // the paint's background step covers whatever is still missing
  }
  if (UsesParentBackground()) return;
  TCustomControl::PaintBackground(dc);
}

void TOmCustomControl::PaintBackground(TCanvas& canvas) {
  if (themeBackgroundDone_) return;
  // A theme erase that failed is no excuse to leave the old pixels: go on to the next step.
  const RECT client = ClientRect();
  if (UsesParentBackground() && CopyBackground(canvas, client, 0, POINT{0, 0})) return;
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(client);
}

void TOmCustomControl::Paint() {
  if (IsLoading()) return;
  PaintBackground(Canvas());
  if (IsDesigning() && NeedsDesignOutline()) OmDrawDesignOutline(Canvas(), ClientRect());
}

void TOmCustomControl::SubObjectChanged(TObject*) {
  if (repaintOnRecordChange_) Invalidate();
}

void TOmCustomControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == imageList_) {
    imageList_ = nullptr;
    ImageListChanged(nullptr);
  }
  if (component == backFX_->ImageList()) backFX_->SetImageList(nullptr);
}

// A new size or a parent's new background: a control showing its parent's picture repaints
// now and tells its children; any other one just repaints later.
void TOmCustomControl::BackgroundChanged() {
  backFX_->ResetBuffer();
  if (UsesParentBackground()) {
    Repaint();
    SendToChildren(OMSG_BACKCHANGED);
  } else {
    Invalidate();
  }
}

void TOmCustomControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
      TCustomControl::WndProc(m);
      if (HandleAllocated()) PostMessageW(Handle(), OMSG_FOCUSGAINED, 0, 0);
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      if (HandleAllocated()) PostMessageW(Handle(), OMSG_FOCUSLOST, 0, 0);
      return;
    case OMSG_FOCUSGAINED:
      if (OnFocusGained) OnFocusGained(this);
      return;
    case OMSG_FOCUSLOST:
      if (OnFocusLost) OnFocusLost(this);
      return;
    case WM_THEMECHANGED:
      TCustomControl::WndProc(m);
      ThemeChanged();
      return;
    case OMSG_THEMECHANGED:
      ThemeChanged();
      return;
    case WM_SYSCOLORCHANGE:
      TCustomControl::WndProc(m);
      if (!transparent_) Invalidate();
      return;
    case CM_MOUSEENTER:
      TCustomControl::WndProc(m);
      if (!IsDesigning()) MouseEntered();
      return;
    case CM_MOUSELEAVE:
      TCustomControl::WndProc(m);
      if (!IsDesigning()) MouseExited();
      return;
    case WM_SIZE:
      TCustomControl::WndProc(m);
      BackgroundChanged();
      return;
    case WM_MOVE:
      TCustomControl::WndProc(m);
      if (UsesParentBackground()) {
        backFX_->ResetBuffer();
        Repaint();
        PaintGraphicChildrenNow();
      }
      return;
    case OMSG_BACKCHANGED:
      if (!IsLoading() && !IsDestroying()) BackgroundChanged();
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

bool TOmCustomControl::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  TOmCustomImageList* list = nullptr;
  if (!OmReadInternalList(name, value, list)) return TCustomControl::ReadCustomProperty(name, value);
  SetImageList(list);
  return true;
}

void TOmCustomControl::WriteCustomProperties(std::vector<TFormProperty>& out) const {
  TCustomControl::WriteCustomProperties(out);
  OmWriteInternalList(imageList_, out);
}

// ---- TOmCustomPanel

TOmCustomPanel::TOmCustomPanel(TComponent* owner) : TOmCustomControl(owner) {
  controlStyle_.Include(csAcceptsControls).Include(csDoubleClicks).Include(csClickEvents).Include(csCaptureMouse);
  SetColor(clBtnFace);
}

bool TOmCustomPanel::HasBackgroundImage() const {
  if (!Transparent()) return false;
  if (const auto* parent = dynamic_cast<const TOmCustomControl*>(Parent()))
    return parent->HandleAllocated() && parent->HasBackgroundImage();
  const TOmFormShape* shape = OmFormShapeOf(Parent());
  return shape && shape->HasImage();
}

TBitmap* TOmCustomPanel::BackgroundImage() const {
  if (!HasBackgroundImage()) return nullptr;
  if (const auto* parent = dynamic_cast<const TOmCustomControl*>(Parent())) return parent->BackgroundImage();
  return OmFormShapeOf(Parent())->Image();
}

POINT TOmCustomPanel::MapToBackground(POINT p) const {
  if (!HasBackgroundImage()) return p;
  const auto* parent = dynamic_cast<const TOmCustomControl*>(Parent());
  const POINT origin = parent ? parent->MapToBackground(POINT{Left(), Top()}) : POINT{Left(), Top()};
  POINT mapped{origin.x + p.x, origin.y + p.y};
  // Land inside this control's own border.
  mapped.x += (Width() - ClientWidth()) / 2;
  mapped.y += (Height() - ClientHeight()) / 2;
  return mapped;
}

bool TOmCustomPanel::CopyBackground(TCanvas& canvas, const RECT& rect, unsigned, POINT origin) {
  if (IsLoading() || IsDestroying()) return false;
  TBitmap* image = BackgroundImage();
  if (!image || image->Empty()) return false;
  const POINT at = MapToBackground(POINT{0, 0});
  TBitmap* source = image;
  POINT from{rect.left + at.x + origin.x, rect.top + at.y + origin.y};
  TBitmap effect;
  if (BackFX()->Active()) {
    // The effect works on this control's part only, one pixel wider each way.
    if (!BackFX()->HasBuffer()) {
      effect.SetSize(Width() + 2, Height() + 2);
      BackFX()->Render(*image, at.x - 1, at.y - 1, effect);
    }
    source = const_cast<TBitmap*>(BackFX()->Buffer());
    from = POINT{rect.left + origin.x + 1, rect.top + origin.y + 1};
  }
  BitBlt(canvas.Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
         source->Canvas().Handle(), from.x, from.y, SRCCOPY);
  return true;
}

void TOmCustomPanel::WndProc(TMessage& m) {
  if (m.Msg == WM_SIZE) ResetBackFXBuffer();
  TOmCustomControl::WndProc(m);
}

// ---- TOmCustomBevelPanel

TOmCustomBevelPanel::TOmCustomBevelPanel(TComponent* owner)
    : TOmCustomPanel(owner), bevel_(std::make_unique<TOmBevel>()) {
  bevel_->SetWindowBorderSupport(BorderIsTheWindows());
  bevel_->OnChange = [this](TObject* sender) { SubObjectChanged(sender); };
}

TOmCustomBevelPanel::~TOmCustomBevelPanel() { bevel_->OnChange = nullptr; }

void TOmCustomBevelPanel::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  Perform(CM_CTL3DCHANGED);
}

bool TOmCustomBevelPanel::NeedsDesignOutline() const {
  return bevel_->Extent() == 0 && bevel_->Mode() != bmWindows;
}

void TOmCustomBevelPanel::SubObjectChanged(TObject* sender) {
  if (IsLoading()) return;
  if (sender == bevel_.get()) {
    bevel_->SetWindowBorderSupport(BorderIsTheWindows());
    if (bevel_->TakeRecreateRequest()) RecreateWnd();
    RealignControls();
  }
  TOmCustomPanel::SubObjectChanged(sender);
}

void TOmCustomBevelPanel::CreateParams(TCreateParams& params) {
  TOmCustomPanel::CreateParams(params);
  if (bevel_->Mode() != bmWindows) return;
  if (ctl3D_) params.exStyle |= WS_EX_CLIENTEDGE;
  else params.style |= WS_BORDER;
  if (ThemedDrawing()) {
    params.exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    params.style &= ~static_cast<DWORD>(WS_BORDER);
  }
}

void TOmCustomBevelPanel::AlignControls(RECT& rect) {
  rect = bevel_->InnerRect(rect);
  TOmCustomPanel::AlignControls(rect);
}

void TOmCustomBevelPanel::WndProc(TMessage& m) {
  if (m.Msg == CM_CTL3DCHANGED && bevel_->Mode() == bmWindows && !ThemedDrawing()) RecreateWnd();
  TOmCustomPanel::WndProc(m);
}

void TOmCustomBevelPanel::Paint() {
  if (IsLoading()) return;
  PaintBackground(Canvas());
  const RECT client = ClientRect();
  if (IsDesigning() && NeedsDesignOutline()) {
    OmDrawDesignOutline(Canvas(), client);
    return;
  }
  bevel_->PaintBevel(Canvas(), client, Transparent());
}

// ---- properties

const TPropTable& TOmCustomControl::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TWinControl::Properties());
    t.Add("About", StringProp(&TOmCustomControl::SetAbout));
    t.Add("Transparent", BoolProp(&TOmCustomControl::SetTransparent));
    t.Add("ImageList", ComponentProp(&TOmCustomControl::SetImageList));
    t.Add("ImageIndex", IntProp(&TOmCustomControl::SetImageIndex));
    t.Add("ListIndex", IntProp(&TOmCustomControl::SetListIndex));
    t.Add("CtlXP", BoolProp(&TOmCustomControl::SetCtlXP));
    t.Add("BackFX", RecordProp(&TOmCustomControl::BackFX));
    return t;
  }();
  return table;
}

const TPropTable& TOmCustomBevelPanel::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmCustomControl::Properties());
    t.Add("Bevel", RecordProp(&TOmCustomBevelPanel::Bevel));
    t.Add("Ctl3D", BoolProp(&TOmCustomBevelPanel::SetCtl3D));
    return t;
  }();
  return table;
}
