#include "framework/push_button.h"
#include "framework/properties.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

TButton::~TButton() { DestroyHandle(); }

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = L"BUTTON";
  params.systemClass = true;
  params.style = (params.style & ~(WS_CLIPCHILDREN)) | BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if ((m.WParam == VK_RETURN && (Focused() || default_)) || (m.WParam == VK_ESCAPE && cancel_)) {
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
