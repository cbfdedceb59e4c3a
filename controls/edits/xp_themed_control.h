// TEdXPThemedControl: a custom control that may draw with the visual styles of one theme
// class ("EDIT"), switched per control by UseXPThemes, with an optional style manager that the
// control adopts from the application default once its (possibly nested) construction is done.
#pragma once
#include "framework/themes.h"
#include "framework/win_control.h"

class TEdXPThemedControl : public TCustomControl {
public:
  explicit TEdXPThemedControl(TComponent* owner);
  ~TEdXPThemedControl() override;

  bool UseXPThemes() const { return useXPThemes_; }
  virtual void SetUseXPThemes(bool value);
  // Themed drawing applies: wanted here and by the application, and a handle is open.
  bool IsThemeApplied() const { return useXPThemes_ && ThemesInUse() && theme_; }
  const TThemeData& Theme() const { return theme_; }

  TComponent* StyleManager() const { return styleManager_; }
  void SetStyleManager(TComponent* manager);
  // The manager every new control adopts when it has none of its own.
  static void SetDefaultStyleManager(TComponent* manager);

  void WndProc(TMessage& message) override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  virtual const wchar_t* ThemeClassName() const { return L"EDIT"; }
  // Called when the theme handle was opened or closed again; redraw here.
  virtual void ThemeChanged();
  void CreateWnd() override;
  // Construction bracket: descendants open it in their constructors; closing the outermost adopts
  // the default style manager.
  void BeginCreate() { ++creating_; }
  void EndCreate();
  void Notification(TComponent* component, TOperation operation) override;

private:
  void OpenTheme();
  TThemeData theme_;
  bool useXPThemes_ = true;
  TComponent* styleManager_ = nullptr;
  int creating_ = 0;
  int listenerKey_ = 0;
};
