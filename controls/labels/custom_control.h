// The windowed branch of the Om controls: TOmCustomControl (transparency, background rules,
// theme hooks, image list, BackFX, CtlXP, deferred focus events), TOmCustomPanel (a background
// image handed down from its parents) and TOmCustomBevelPanel (a bevel that insets its children).
#pragma once
#include <memory>
#include <string>
#include "controls/drawing/bevel.h"
#include "controls/drawing/om_messages.h"
#include "controls/labels/bitmap_effect.h"
#include "controls/drawing/image_list.h"
#include "framework/themes.h"
#include "framework/win_control.h"

class TOmCustomControl : public TCustomControl {
public:
  explicit TOmCustomControl(TComponent* owner);
  ~TOmCustomControl() override;

  const std::string& About() const { return about_; }
  void SetAbout(const std::string& about) { about_ = about; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TOmCustomImageList* ImageList() const { return imageList_; }
  void SetImageList(TOmCustomImageList* list);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int index);
  TOmBitmapEffectObject* BackFX() const { return backFX_.get(); }
  void SetBackFX(const TOmBitmapEffectObject& fx) { backFX_->Assign(fx); }
  bool CtlXP() const { return ctlXP_; }
  void SetCtlXP(bool value);

  // SupportsThemes, themes in use and CtlXP: the control draws in the system's theme.
  bool ThemedDrawing() const;
  virtual bool HasBackgroundImage() const { return false; }
  virtual TBitmap* BackgroundImage() const { return nullptr; }
  virtual POINT MapToBackground(POINT point) const { return point; }
  // Copies the background under rect (plus origin) onto canvas; false when there is none.
  virtual bool CopyBackground(TCanvas& canvas, const RECT& rect, unsigned flags, POINT origin);
  // True when the last erase was served by the theme's parent background.
  bool ThemeBackgroundDone() const { return themeBackgroundDone_; }

  TNotifyEvent OnFocusGained, OnFocusLost;  // raised after the focus message, not inside it
  TNotifyEvent OnMouseEnter, OnMouseExit;

  void WndProc(TMessage& message) override;
  bool ReadCustomProperty(const std::string& name, const TFormValue& value) override;
  void WriteCustomProperties(std::vector<TFormProperty>& out) const override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  virtual void ThemeChanged();
  virtual bool CanDrawThemeParentBackground() const { return true; }
  virtual bool SupportsThemes() const { return false; }
  virtual bool UsesThemeParentBackground() const;
  virtual bool UsesParentBackground() const { return transparent_ && HasBackgroundImage(); }
  // The background step of a paint, after the erase (PaintBackground(HDC)) ran.
  virtual void PaintBackground(TCanvas& canvas);
  virtual void SubObjectChanged(TObject* sender);
  virtual bool NeedsDesignOutline() const { return true; }
  virtual void ImageListChanged(TObject* sender) { SubObjectChanged(sender); }
  virtual void MouseEntered() { if (OnMouseEnter) OnMouseEnter(this); }
  virtual void MouseExited() { if (OnMouseExit) OnMouseExit(this); }
  // The theme's parent background for this window into dc; a seam for the failing case.
  virtual bool DrawThemeParentBackgroundOn(HDC dc, const RECT* rect);
  // Theme data for this window; empty when the system gives none.
  virtual TThemeData OpenTheme(const wchar_t* classList);

  void PaintBackground(HDC dc) override;  // the erase
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void SetRepaintOnRecordChange(bool value) { repaintOnRecordChange_ = value; }
  void ResetBackFXBuffer() { backFX_->ResetBuffer(); }
  void SendToChildren(UINT msg);
  void BackgroundChanged();
  void PaintGraphicChildrenNow();

private:
  std::string about_;
  bool themeBackgroundDone_ = false;
  bool transparent_ = false;
  bool repaintOnRecordChange_ = true;
  TOmCustomImageList* imageList_ = nullptr;
  int imageIndex_ = 0, listIndex_ = 0;
  TOmChangeLink changeLink_;
  std::unique_ptr<TOmBitmapEffectObject> backFX_;
  bool ctlXP_ = true;
};

class TOmCustomPanel : public TOmCustomControl {
public:
  explicit TOmCustomPanel(TComponent* owner);
  bool HasBackgroundImage() const override;
  TBitmap* BackgroundImage() const override;
  POINT MapToBackground(POINT point) const override;
  bool CopyBackground(TCanvas& canvas, const RECT& rect, unsigned flags, POINT origin) override;
  void WndProc(TMessage& message) override;
};

class TOmCustomBevelPanel : public TOmCustomPanel {
public:
  explicit TOmCustomBevelPanel(TComponent* owner);
  ~TOmCustomBevelPanel() override;
  TOmBevel* Bevel() const { return bevel_.get(); }
  void SetBevel(const TOmBevel& bevel) { bevel_->Assign(bevel); }
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);

  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  bool SupportsThemes() const override { return false; }
  bool NeedsDesignOutline() const override;
  // Whether the bmWindows frame is the window's own border (true) or drawn inside the client.
  virtual bool BorderIsTheWindows() const { return true; }
  void SubObjectChanged(TObject* sender) override;
  void CreateParams(TCreateParams& params) override;
  void AlignControls(RECT& rect) override;
  void Paint() override;

private:
  std::unique_ptr<TOmBevel> bevel_;
  bool ctl3D_ = true;
};
