// TPopupMenu: a context menu of command items, shown at a screen point; the chosen item's
// OnClick runs after the menu has closed.
#pragma once
#include <string>
#include <vector>
#include <windows.h>
#include "framework/component.h"

class TPopupMenu : public TComponent {
public:
  explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
  struct TItem {
    std::string caption;  // "-" is a separator
    TNotifyEvent onClick;
  };
  void Add(const std::string& caption, TNotifyEvent onClick = nullptr) { items_.push_back({caption, std::move(onClick)}); }
  const std::vector<TItem>& Items() const { return items_; }
  // Runs the menu modally at (x, y) in screen coordinates for `owner`; returns the chosen item or -1.
  int Popup(int x, int y, HWND owner);
  TNotifyEvent OnPopup;
private:
  std::vector<TItem> items_;
};
