// TButton: the system push button, clicked by mouse, Space, or Enter while it is the active button;
// a modal result closes a modal form with it.
#pragma once
#include <windows.h>
#include "framework/win_control.h"

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);
  ~TButton() override;
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  void DescribeAccessible(TAccessibleInfo& info) const override;
  void WndProc(TMessage& message) override;
  // Gives the form its modal result first, when this button has one.
  void Click() override;
  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }
protected:
  void CreateParams(TCreateParams& params) override;
  // Told when the focus moves: active when this button has it, or when it is the default
  // button and a control that is no button has it.
  virtual void SetActiveLook(bool active) { (void)active; }
private:
  bool default_ = false, cancel_ = false;
  int modalResult_ = 0;
};
