// TPopupMenu: a context menu of command items, shown at a screen point; the chosen item's
// OnClick runs after the menu has closed. In a description its items are TMenuItem objects.
#pragma once
#include <string>
#include <vector>
#include <windows.h>
#include "framework/component.h"
#include "framework/properties.h"

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
  // `align` holds the TPM_ bits saying which corner of the menu lies at (x, y).
  int Popup(int x, int y, HWND owner, UINT align = TPM_LEFTALIGN | TPM_TOPALIGN);
  TNotifyEvent OnPopup;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
private:
  std::vector<TItem> items_;
};

// A described menu item: it joins the menu that encloses it once it is read.
class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  TNotifyEvent OnClick;
  void SetParentComponent(TComponent* parent) override { menu_ = dynamic_cast<TPopupMenu*>(parent); }
  void Loaded() override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
private:
  std::string caption_;
  TPopupMenu* menu_ = nullptr;
};
