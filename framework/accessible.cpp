#include "framework/accessible.h"
#include <algorithm>
#include <atomic>
#include "framework/accessible_info.h"
#include "framework/form.h"
#include "framework/oleacc_library.h"

namespace {
std::atomic<long> liveObjects{0};

bool IsWindowed(const TControl* control) { return dynamic_cast<const TWinControl*>(control) != nullptr; }

bool Holds(const TWinControl& container, const TControl* control) {
  for (const TControl* c = control ? control->Parent() : nullptr; c; c = c->Parent())
    if (c == &container) return true;
  return false;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = OleAcc()->SysAllocString(text.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetEmpty(VARIANT* v) { v->vt = VT_EMPTY; }

// The static text nearest before `control` among its window-less siblings: what names an edit.
std::wstring LabelBefore(const TControl& control) {
  std::wstring name;
  if (!control.Parent()) return name;
  for (TControl* sibling : AccessibleChildrenOf(*control.Parent())) {
    if (sibling == &control) break;
    if (IsWindowed(sibling) || sibling->Top() >= control.Top()) continue;
    TAccessibleInfo info;
    sibling->DescribeAccessible(info);
    if (info.role == ROLE_SYSTEM_STATICTEXT && !info.name.empty()) name = info.name;
  }
  return name;
}

class TAccessibleObject final : public IAccessible {
public:
  explicit TAccessibleObject(HWND window) : window_(window) { ++liveObjects; }
  ~TAccessibleObject() { --liveObjects; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: readers call IAccessible directly; there is no type library to offer.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    TWinControl* self = Control();
    if (!self) return E_FAIL;
    if (TWinControl* parent = self->Parent(); parent && parent->HandleAllocated()) {
      *out = new TAccessibleObject(parent->Handle());
      return S_OK;
    }
    return OleAcc()->CreateStdAccessibleObject(window_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    TWinControl* self = Control();
    if (!self) return E_FAIL;
    *count = static_cast<long>(AccessibleChildrenOf(*self).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    TControl* control = Child(child);
    if (!control || control == Control()) return E_INVALIDARG;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) return S_FALSE;  // a simple element: its parent answers for it
    *out = new TAccessibleObject(win->Handle());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Text(child, out, [](const TAccessibleInfo& i) { return i.name; });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Text(child, out, [](const TAccessibleInfo& i) { return i.value; });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Text(child, out, [](const TAccessibleInfo& i) { return i.description; });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    return Number(child, out, [](const TAccessibleInfo& i) { return i.role; });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    return Number(child, out, [](const TAccessibleInfo& i) { return i.state; });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return ReturnText({}, out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Text(child, out, [](const TAccessibleInfo& i) { return i.shortcut; });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    SetEmpty(out);
    TWinControl* self = Control();
    if (!self) return E_FAIL;
    // A window-less control focused here is a child id; the focus further down, the child holding it.
    const TForm* form = GetParentForm(self);
    const TControl* graphic = form && form->Focused() ? form->FocusedGraphic() : nullptr;
    const HWND focus = GetFocus();
    const auto children = AccessibleChildrenOf(*self);
    for (size_t i = 0; i < children.size(); ++i) {
      auto* win = dynamic_cast<TWinControl*>(children[i]);
      if (children[i] == graphic) {
        out->vt = VT_I4;
        out->lVal = static_cast<long>(i) + 1;
        return S_OK;
      }
      if (win && (Holds(*win, graphic) || (win->HandleAllocated() && (win->Handle() == focus || IsChild(win->Handle(), focus))))) {
        out->vt = VT_DISPATCH;
        out->pdispVal = new TAccessibleObject(win->Handle());
        return S_OK;
      }
    }
    if (self->Focused() && !graphic) {
      out->vt = VT_I4;
      out->lVal = CHILDID_SELF;
      return S_OK;
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    SetEmpty(out);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Text(child, out, [](const TAccessibleInfo& i) { return i.defaultAction; });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    auto* win = dynamic_cast<TWinControl*>(Child(child));
    if (!win) return E_INVALIDARG;
    if (!(flags & SELFLAG_TAKEFOCUS)) return DISP_E_MEMBERNOTFOUND;
    if (!win->CanFocus()) return S_FALSE;
    win->SetFocus();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    TControl* control = Child(child);
    if (!control) return E_INVALIDARG;
    RECT r{0, 0, control->Width(), control->Height()};
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
      GetWindowRect(win->Handle(), &r);
    } else {
      const POINT origin = control->ClientToScreen({0, 0});
      OffsetRect(&r, origin.x, origin.y);
    }
    *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* out) override {
    if (out) SetEmpty(out);
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    SetEmpty(out);
    TWinControl* self = Control();
    if (!self) return E_FAIL;
    POINT pt{x, y};
    ScreenToClient(window_, &pt);
    RECT client;
    GetClientRect(window_, &client);
    if (!PtInRect(&client, pt)) return S_FALSE;
    const auto children = AccessibleChildrenOf(*self);
    for (size_t i = 0; i < children.size(); ++i) {
      auto* win = dynamic_cast<TWinControl*>(children[i]);
      RECT bounds = children[i]->BoundsRect();
      if (!children[i]->Visible() || !PtInRect(&bounds, pt)) continue;
      if (win) {
        out->vt = VT_DISPATCH;
        out->pdispVal = new TAccessibleObject(win->Handle());
        return S_OK;
      }
    }
    TControl* hit = self->ControlAtPos(pt);
    auto it = std::find(children.begin(), children.end(), hit);
    out->vt = VT_I4;
    out->lVal = it == children.end() ? CHILDID_SELF : static_cast<long>(it - children.begin()) + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    TControl* control = Child(child);
    if (!control) return E_INVALIDARG;
    TAccessibleInfo info;
    Describe(*control, info);
    if (!info.actionable || (info.state & STATE_SYSTEM_UNAVAILABLE)) return DISP_E_MEMBERNOTFOUND;
    PostMessageW(window_, CM_ACCESSIBLEACTION, child.vt == VT_I4 ? child.lVal : CHILDID_SELF, 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  // The control behind the window, or nullptr once the window is gone.
  TWinControl* Control() const { return IsWindow(window_) ? TWinControl::FromHandle(window_) : nullptr; }

  TControl* Child(const VARIANT& child) const {
    TWinControl* self = Control();
    if (!self || child.vt != VT_I4) return nullptr;
    if (child.lVal == CHILDID_SELF) return self;
    const auto children = AccessibleChildrenOf(*self);
    if (child.lVal < 1 || child.lVal > static_cast<long>(children.size())) return nullptr;
    return children[child.lVal - 1];
  }

  static void Describe(const TControl& control, TAccessibleInfo& info) {
    control.DescribeAccessible(info);
    if (!control.Showing()) info.state |= STATE_SYSTEM_INVISIBLE;
    if (!control.Enabled()) info.state |= STATE_SYSTEM_UNAVAILABLE;
    if (auto* win = dynamic_cast<const TWinControl*>(&control)) {
      if (win->TabStop() && win->CanFocus()) info.state |= STATE_SYSTEM_FOCUSABLE;
      if (win->Focused()) info.state |= STATE_SYSTEM_FOCUSED;
    } else if (TakesKeyFocus(control)) {
      info.state |= STATE_SYSTEM_FOCUSABLE;
      const TForm* form = GetParentForm(&control);
      if (form && form->FocusedGraphic() == &control && form->Focused()) info.state |= STATE_SYSTEM_FOCUSED;
    }
    if (info.name.empty() && info.role == ROLE_SYSTEM_TEXT) info.name = LabelBefore(control);
  }

  template <class F>
  HRESULT Text(const VARIANT& child, BSTR* out, F field) {
    if (out) *out = nullptr;
    TControl* control = Child(child);
    if (!control) return E_INVALIDARG;
    TAccessibleInfo info;
    Describe(*control, info);
    return ReturnText(field(info), out);
  }

  template <class F>
  HRESULT Number(const VARIANT& child, VARIANT* out, F field) {
    if (!out) return E_POINTER;
    SetEmpty(out);
    TControl* control = Child(child);
    if (!control) return E_INVALIDARG;
    TAccessibleInfo info;
    Describe(*control, info);
    out->vt = VT_I4;
    out->lVal = field(info);
    return S_OK;
  }

  HWND window_;
  std::atomic<ULONG> refs_{1};
};
}  // namespace

std::vector<TControl*> AccessibleChildrenOf(const TWinControl& control) {
  std::vector<TControl*> graphic;
  for (TControl* child : control.Controls())
    if (!IsWindowed(child)) graphic.push_back(child);
  std::stable_sort(graphic.begin(), graphic.end(), [](const TControl* a, const TControl* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  for (TWinControl* child : control.TabList()) graphic.push_back(child);
  return graphic;
}

bool AnswerGetObject(TWinControl& control, TMessage& m) {
  if (static_cast<LONG>(m.LParam) != OBJID_CLIENT || !control.HandleAllocated()) return false;
  const TOleAcc* lib = OleAcc();
  if (!lib) return false;
  auto* object = new TAccessibleObject(control.Handle());
  m.Result = lib->LresultFromObject(__uuidof(IAccessible), m.WParam, object);
  object->Release();
  return true;
}

void RunAccessibleAction(TWinControl& control, WPARAM childId) {
  if (childId == CHILDID_SELF) return control.Click();
  const auto children = AccessibleChildrenOf(control);
  if (childId > children.size()) return;
  TControl* child = children[childId - 1];
  if (child->Enabled()) child->Click();
}

void NotifyAccessibleEvent(const TControl& control, DWORD event) {
  if (auto* win = dynamic_cast<const TWinControl*>(&control)) {
    if (win->HandleAllocated()) NotifyWinEvent(event, const_cast<TWinControl*>(win)->Handle(), OBJID_CLIENT, CHILDID_SELF);
    return;
  }
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  const auto children = AccessibleChildrenOf(*parent);
  auto it = std::find(children.begin(), children.end(), &control);
  if (it == children.end()) return;
  NotifyWinEvent(event, parent->Handle(), OBJID_CLIENT, static_cast<LONG>(it - children.begin()) + 1);
}

long AccessibleObjectCount() { return liveObjects.load(); }
