#include "framework/popup_menu.h"
#include "framework/strings.h"

int TPopupMenu::Popup(int x, int y, HWND owner, UINT align) {
  if (OnPopup) OnPopup(this);
  HMENU menu = CreatePopupMenu();
  if (!menu) return -1;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].caption == "-") AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else AppendMenuW(menu, MF_STRING, i + 1, AnsiToWide(items_[i].caption).c_str());
  }
  // Ids start at 1: TrackPopupMenu answers 0 when nothing was chosen.
  const int chosen = TrackPopupMenu(menu, align | TPM_RETURNCMD | TPM_LEFTBUTTON, x, y, 0,
                                    owner, nullptr) - 1;
  DestroyMenu(menu);
  if (chosen >= 0 && items_[chosen].onClick) items_[chosen].onClick(this);
  return chosen;
}

const TPropTable& TPopupMenu::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TComponent::Properties());
    t.Add("OnPopup", EventProp(&TPopupMenu::OnPopup));
    return t;
  }();
  return table;
}

void TMenuItem::Loaded() {
  TComponent::Loaded();
  if (menu_) menu_->Add(caption_, [this](TObject*) { if (OnClick) OnClick(this); });
}

const TPropTable& TMenuItem::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TComponent::Properties());
    t.Add("Caption", StringProp(&TMenuItem::SetCaption));
    t.Add("OnClick", EventProp(&TMenuItem::OnClick));
    return t;
  }();
  return table;
}
