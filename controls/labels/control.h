// The window-less branch of the Om controls: TOmControl (mouse enter/exit, bounds-change kinds,
// theme hook), TOmBaseControl (image list, background effect) and TOmBaseGraphicControl
// (transparency and the redraw rule). The labels stand on it.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include "controls/drawing/om_messages.h"
#include "controls/labels/bitmap_effect.h"
#include "controls/drawing/image_list.h"
#include "framework/control.h"

enum TOmBoundsChange { bcResized, bcMoved };
using TOmBoundsChanges = TSet<TOmBoundsChange>;
using TOmBoundsChangedEvent = std::function<void(TObject* sender, TOmBoundsChanges kinds)>;

// Om controls hear of a switch of the themes through OMSG_THEMECHANGED; windowed ones pass it
// on to their children, so only controls without such a parent are told directly.
void OmRegisterThemeClient(TControl* control, bool forwardsToChildren);
void OmUnregisterThemeClient(TControl* control);
void OmBroadcastThemeChange();

// Draws the dashed black outline a designer sees around a control that paints nothing.
void OmDrawDesignOutline(TCanvas& canvas, const RECT& rect);

class TOmControl : public TGraphicControl {
public:
  explicit TOmControl(TComponent* owner);
  ~TOmControl() override;
  const std::string& About() const { return about_; }
  void SetAbout(const std::string& about) { about_ = about; }

  TNotifyEvent OnMouseEnter, OnMouseExit;
  TOmBoundsChangedEvent OnBoundsChanged;

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  virtual void ThemeChanged();
  virtual bool UsesThemedLook() const { return false; }
  using TGraphicControl::BoundsChanged;
  virtual void BoundsChanged(TOmBoundsChanges kinds);
  virtual void MouseEntered();
  virtual void MouseExited();
  virtual void PropertyChanged(TObject* sender);
  virtual bool PaintsNothing() const { return true; }

private:
  std::string about_;
};

class TOmBaseControl : public TOmControl {
public:
  explicit TOmBaseControl(TComponent* owner);
  ~TOmBaseControl() override;

  TOmCustomImageList* ImageList() const { return imageList_; }
  void SetImageList(TOmCustomImageList* list);
  int ImageIndex() const { return imageIndex_; }
  int ListIndex() const { return listIndex_; }
  TOmBitmapEffectObject* BackFX() const { return backFX_.get(); }
  void SetBackFX(const TOmBitmapEffectObject& fx) { backFX_->Assign(fx); }

  void WndProc(TMessage& message) override;
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;
  void WriteCustomProperties(std::vector<TFormProperty>& out) const override;

protected:
  virtual bool ParentSuppliesBackground() const { return false; }
  virtual void ImageListChanged(TObject* sender) { PropertyChanged(sender); }
  void Notification(TComponent* component, TOperation operation) override;

private:
  TOmCustomImageList* imageList_ = nullptr;
  int imageIndex_ = 0, listIndex_ = 0;  // not used by the labels
  TOmChangeLink changeLink_;
  std::unique_ptr<TOmBitmapEffectObject> backFX_;
};

class TOmBaseGraphicControl : public TOmBaseControl {
public:
  explicit TOmBaseGraphicControl(TComponent* owner);

  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);
  // Transparent controls invalidate (the parent paints what lies under them first); opaque
  // ones paint at once when they can be seen, and otherwise invalidate.
  void RedrawNow();
  bool Painting() const { return painting_; }

  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void Paint() override;
  void PropertyChanged(TObject* sender) override;
  bool ParentSuppliesBackground() const override;
  // True when the control and its parent's window are showing, so painting now is seen.
  bool CanPaintNow() const;

  // Marks a paint as running for its scope, on every way out.
  class TPaintScope {
  public:
    explicit TPaintScope(TOmBaseGraphicControl& control) : control_(control) { control_.painting_ = true; }
    ~TPaintScope() { control_.painting_ = false; }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
  private:
    TOmBaseGraphicControl& control_;
  };

private:
  bool transparent_ = true;
  bool painting_ = false;
};
