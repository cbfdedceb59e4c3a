#include "controls/edits/xp_themed_control.h"
#include "framework/properties.h"

namespace {
TComponent*& DefaultStyleManager() {
  static TComponent* manager = nullptr;
  return manager;
}
}  // namespace

TEdXPThemedControl::TEdXPThemedControl(TComponent* owner) : TCustomControl(owner) {
  BeginCreate();
  listenerKey_ = AddThemeSwitchListener([this] {
    OpenTheme();
    ThemeChanged();
  });
  EndCreate();
}

TEdXPThemedControl::~TEdXPThemedControl() {
  RemoveThemeSwitchListener(listenerKey_);
  if (styleManager_) styleManager_->RemoveFreeNotification(this);
}

void TEdXPThemedControl::SetDefaultStyleManager(TComponent* manager) { DefaultStyleManager() = manager; }

void TEdXPThemedControl::EndCreate() {
  if (creating_ > 0 && --creating_ == 0 && !IsDesigning() && !styleManager_)
    SetStyleManager(DefaultStyleManager());
}

void TEdXPThemedControl::SetStyleManager(TComponent* manager) {
  if (manager == styleManager_) return;
  if (styleManager_) styleManager_->RemoveFreeNotification(this);
  styleManager_ = manager;
  if (styleManager_) styleManager_->FreeNotification(this);
}

void TEdXPThemedControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == styleManager_) styleManager_ = nullptr;
}

void TEdXPThemedControl::SetUseXPThemes(bool value) {
  if (value == useXPThemes_) return;
  useXPThemes_ = value;
  OpenTheme();
  ThemeChanged();
}

void TEdXPThemedControl::OpenTheme() {
  theme_.Close();
  if (useXPThemes_ && HandleAllocated() && ThemesInUse()) theme_.Open(Handle(), ThemeClassName());
}

void TEdXPThemedControl::ThemeChanged() { Invalidate(); }

void TEdXPThemedControl::CreateWnd() {
  TCustomControl::CreateWnd();
  OpenTheme();
}

void TEdXPThemedControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_THEMECHANGED:
      OpenTheme();
      ThemeChanged();
      m.Result = 0;
      return;
    case WM_DESTROY:
      theme_.Close();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

const TPropTable& TEdXPThemedControl::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TWinControl::Properties());
    t.Add("UseXPThemes", BoolProp(&TEdXPThemedControl::SetUseXPThemes));
    return t;
  }();
  return table;
}
