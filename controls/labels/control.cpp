#include "controls/labels/control.h"
#include "controls/labels/form_shape.h"
#include <algorithm>
#include <map>
#include "controls/labels/custom_control.h"
#include "framework/form_reader.h"
#include "framework/themes.h"
#include "framework/win_control.h"

namespace {
struct TThemeClients {
  std::map<TControl*, bool> clients;  // control -> passes the message to its children
  int listener = 0;
};

TThemeClients& ThemeClients() {
  static TThemeClients state;
  return state;
}
}  // namespace

void OmRegisterThemeClient(TControl* control, bool forwardsToChildren) {
  TThemeClients& state = ThemeClients();
  if (!state.listener) state.listener = AddThemeSwitchListener(&OmBroadcastThemeChange);
  state.clients[control] = forwardsToChildren;
}

void OmUnregisterThemeClient(TControl* control) { ThemeClients().clients.erase(control); }

void OmBroadcastThemeChange() {
  const auto clients = ThemeClients().clients;  // a handler may create or free controls
  for (const auto& [control, forwards] : clients) {
    if (!ThemeClients().clients.count(control)) continue;
    auto parent = clients.find(control->Parent());
    if (parent != clients.end() && parent->second) continue;  // its parent tells it
    control->Perform(OMSG_THEMECHANGED);
  }
}

void OmDrawDesignOutline(TCanvas& canvas, const RECT& rect) {
  canvas.Pen().SetStyle(psDash);
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
  canvas.Pen().SetStyle(psSolid);
  canvas.Brush().SetStyle(bsSolid);
}

// ---- TOmControl

TOmControl::TOmControl(TComponent* owner) : TGraphicControl(owner) { OmRegisterThemeClient(this, false); }
TOmControl::~TOmControl() { OmUnregisterThemeClient(this); }

void TOmControl::SetBounds(int left, int top, int width, int height) {
  const RECT old = BoundsRect();
  TGraphicControl::SetBounds(left, top, width, height);
  TOmBoundsChanges kinds;
  if (Left() != old.left || Top() != old.top) kinds.Include(bcMoved);
  if (Width() != old.right - old.left || Height() != old.bottom - old.top) kinds.Include(bcResized);
  if (!kinds.Empty() && !IsLoading()) BoundsChanged(kinds);
}

void TOmControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(message);
      if (!IsDesigning()) MouseEntered();
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(message);
      if (!IsDesigning()) MouseExited();
      return;
    case OMSG_THEMECHANGED:
      ThemeChanged();
      return;
    default:
      TGraphicControl::WndProc(message);
  }
}

void TOmControl::ThemeChanged() {
  if (UsesThemedLook()) Invalidate();
}

void TOmControl::BoundsChanged(TOmBoundsChanges kinds) {
  if (OnBoundsChanged) OnBoundsChanged(this, kinds);
}

void TOmControl::MouseEntered() {
  if (Enabled() && OnMouseEnter) OnMouseEnter(this);
}

void TOmControl::MouseExited() {
  if (Enabled() && OnMouseExit) OnMouseExit(this);
}

void TOmControl::PropertyChanged(TObject*) {
  if (!IsLoading()) Invalidate();
}

// ---- TOmBaseControl

TOmBaseControl::TOmBaseControl(TComponent* owner)
    : TOmControl(owner), backFX_(std::make_unique<TOmBitmapEffectObject>()) {
  changeLink_.OnChange = [this](TObject* sender) { ImageListChanged(sender); };
  backFX_->OnChange = [this](TObject* sender) { PropertyChanged(sender); };
}

TOmBaseControl::~TOmBaseControl() {
  backFX_->OnChange = nullptr;
  changeLink_.OnChange = nullptr;
}

void TOmBaseControl::SetImageList(TOmCustomImageList* list) {
  if (list == imageList_) return;
  if (imageList_) imageList_->UnRegisterChanges(changeLink_);
  imageList_ = list;
  if (imageList_) {
    imageList_->RegisterChanges(changeLink_);
    imageList_->FreeNotification(this);
  }
  ImageListChanged(nullptr);
}

void TOmBaseControl::Notification(TComponent* component, TOperation operation) {
  TOmControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == imageList_) {
    imageList_ = nullptr;
    ImageListChanged(nullptr);
  }
  if (component == backFX_->ImageList()) backFX_->SetImageList(nullptr);
}

void TOmBaseControl::WndProc(TMessage& message) {
  if (message.Msg == OMSG_BACKCHANGED) {
    if (Visible() && !IsLoading()) {
      if (ParentSuppliesBackground()) PropertyChanged(nullptr);
      backFX_->ResetBuffer();
    }
    return;
  }
  TOmControl::WndProc(message);
}

bool TOmBaseControl::ReadCustomProperty(const std::string& name, const TFormValue& value) {
  TOmCustomImageList* list = nullptr;
  if (!OmReadInternalList(name, value, list)) return TOmControl::ReadCustomProperty(name, value);
  SetImageList(list);
  return true;
}

void TOmBaseControl::WriteCustomProperties(std::vector<TFormProperty>& out) const {
  TOmControl::WriteCustomProperties(out);
  OmWriteInternalList(imageList_, out);
}

// ---- TOmBaseGraphicControl

TOmBaseGraphicControl::TOmBaseGraphicControl(TComponent* owner) : TOmBaseControl(owner) {
  SetBounds(Left(), Top(), 30, 30);
}

void TOmBaseGraphicControl::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  // Marked opaque exactly when it paints its whole rectangle, as the windowed controls are.
  if (transparent) controlStyle_.Exclude(csOpaque);
  else controlStyle_.Include(csOpaque);
  Perform(OMSG_REDRAW);
}

bool TOmBaseGraphicControl::CanPaintNow() const {
  const TWinControl* parent = Parent();
  return Visible() && parent && parent->HandleAllocated() && IsWindowVisible(const_cast<TWinControl*>(parent)->Handle());
}

void TOmBaseGraphicControl::RedrawNow() {
  if (transparent_ || !CanPaintNow()) {
    Invalidate();
    return;
  }
  const TWindowDC windowDC(Parent()->Handle());
  HDC dc = windowDC.Get();
  if (!dc) return Invalidate();
  Parent()->LookChangedIn(BoundsRect());  // drawn past the parent's kept picture
  TDCStateGuard guard(dc);
  OffsetViewportOrgEx(dc, Left(), Top(), nullptr);
  IntersectClipRect(dc, 0, 0, Width(), Height());
  PaintOn(dc);
}

void TOmBaseGraphicControl::WndProc(TMessage& message) {
  if (message.Msg == OMSG_REDRAW) {
    if (Visible()) RedrawNow();
    return;
  }
  TOmBaseControl::WndProc(message);
}

void TOmBaseGraphicControl::Paint() {
  if (IsDesigning()) OmDrawDesignOutline(Canvas(), ClientRect());
}

void TOmBaseGraphicControl::PropertyChanged(TObject*) {
  if (!IsLoading()) RedrawNow();
}

bool TOmBaseGraphicControl::ParentSuppliesBackground() const {
  if (!transparent_) return false;
  if (const auto* parent = dynamic_cast<const TOmCustomControl*>(Parent()))
    return parent->HandleAllocated() && parent->HasBackgroundImage();
  const TOmFormShape* shape = OmFormShapeOf(Parent());
  return shape && shape->HasImage();
}

const TPropTable& TOmControl::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TGraphicControl::Properties());
    t.Add("About", StringProp(&TOmControl::SetAbout));
    t.Add("OnMouseEnter", EventProp(&TOmControl::OnMouseEnter));
    t.Add("OnMouseExit", EventProp(&TOmControl::OnMouseExit));
    return t;
  }();
  return table;
}

const TPropTable& TOmBaseGraphicControl::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TOmControl::Properties());
    t.Add("Transparent", BoolProp(&TOmBaseGraphicControl::SetTransparent));
    t.Add("BackFX", RecordProp(&TOmBaseGraphicControl::BackFX));
    return t;
  }();
  return table;
}
