// TForm: a top-level window with border style, position and dialog-key navigation, loaded
// from its stored description, offering its event handlers to it by name.
#pragma once
#include <string>
#include <vector>
#include "framework/properties.h"
#include "framework/win_control.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };

// Where a centred form goes: the area it is centred in, and its top left there.
RECT CentringArea(TPosition position, const RECT& primary, const RECT& desktop);
POINT CentredOrigin(const RECT& area, int width, int height);

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
  void SetDefaultMonitor(TDefaultMonitor monitor) { defaultMonitor_ = monitor; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int value) { textHeight_ = value; }
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  void Show();
  void Hide();
  // A modal form's Close ends its ShowModal with mrCancel; another form's hides it.
  void Close();
  // Shows the form with every other window of the thread disabled until a modal result is set
  // or the form is hidden; returns that result (mrCancel when hidden without one).
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  // Moves the focus to the next (or previous) tab stop after `current`; true when it moved.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const;
  void SelectFirst();
  // Tab's cycle: the windowed tab stops in tab order, then the window-less ones in reading order.
  bool SelectNextStop(bool goForward);
  std::vector<TControl*> GraphicTabStops() const;
  // The window-less control that holds the focus while the form's window has it, or nullptr.
  TControl* FocusedGraphic() const { return focusedGraphic_; }
  void FocusGraphic(TControl* control);

  void SetClientSize(int width, int height) override;
  RECT ClientRect() const override;
  void WndProc(TMessage& message) override;

  // Reads the description text onto this form; errors name component, property and line.
  void LoadDescription(const std::string& text, TFileResolver resolver = LoadEmbeddedFile);
  THandlerTable& Handlers() { return handlers_; }
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void PlaceOnScreen();
  DWORD WindowStyle() const;
  DWORD WindowExStyle() const;
  void DropGraphicFocus();
  void ShowGraphicFocus();
  bool PressFocusedGraphic();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TDefaultMonitor defaultMonitor_ = dmActiveForm;
  int pixelsPerInch_ = 96, textHeight_ = 13;
  bool oldCreateOrder_ = false;
  bool modal_ = false;
  int modalResult_ = 0;
  TWinControl* activeControl_ = nullptr;
  TControl* focusedGraphic_ = nullptr;
  THandlerTable handlers_;
};

// The form a control stands on, or nullptr.
TForm* GetParentForm(const TControl* control);
// A window-less control takes the focus by Tab when a click on it does something.
bool TakesKeyFocus(const TControl& control);
// Indices of `boxes` in reading order: rows top to bottom (a box starting above the bottom of
// a row's first box is in that row), each row left to right.
std::vector<size_t> ReadingOrder(const std::vector<RECT>& boxes);
// Where `parent` paints the focus rectangle of its focused window-less child; false when none shows.
bool GraphicFocusRect(const TWinControl& parent, RECT& rect);
