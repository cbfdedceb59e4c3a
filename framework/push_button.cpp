#include "framework/push_button.h"
#include "framework/form.h"
#include "framework/properties.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  controlStyle_.Exclude(csClickEvents);  // the system's BN_CLICKED is the click
}

TButton::~TButton() { DestroyHandle(); }

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = L"BUTTON";
  params.systemClass = true;
  params.style = (params.style & ~(WS_CLIPCHILDREN)) | BS_PUSHBUTTON;
}

void TButton::Click() {
  if (modalResult_ != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY: {
      // Enter belongs to the focused button, and to the default one only while no button has the
      // focus; neither key counts with a modifier held or on a button that cannot take the focus.
      const bool plain = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
      const bool buttonFocused = dynamic_cast<TButton*>(FromHandle(GetFocus())) != nullptr;
      const bool enter = m.WParam == VK_RETURN && (Focused() || (default_ && !buttonFocused));
      if (plain && CanFocus() && (enter || (m.WParam == VK_ESCAPE && cancel_))) {
        Click();
        m.Result = 1;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(m.WParam, Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    case CM_FOCUSCHANGED: {
      auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
      SetActiveLook(focused == this || (default_ && !dynamic_cast<TButton*>(focused)));
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

const TPropTable& TButton::Properties() {
  static const TPropTable table = [] {
    TPropTable t(&TWinControl::Properties());
    t.Add("Default", BoolProp(&TButton::SetDefault));
    t.Add("Cancel", BoolProp(&TButton::SetCancel));
    t.Add("ModalResult", IntProp(&TButton::SetModalResult));
    return t;
  }();
  return table;
}
