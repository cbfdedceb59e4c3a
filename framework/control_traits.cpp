#include "framework/control_traits.h"
#include "framework/control.h"
#include "framework/popup_menu.h"
#include "framework/properties.h"
#include "framework/win_control.h"

RECT AnchoredBounds(const RECT& bounds, TAnchors anchors, int dx, int dy) {
  RECT r = bounds;
  auto follow = [](LONG& nearEdge, LONG& farEdge, bool nearAnchored, bool farAnchored, int delta) {
    if (farAnchored) {
      farEdge += delta;
      if (!nearAnchored) nearEdge += delta;
    } else if (!nearAnchored) {
      nearEdge += delta / 2;
      farEdge += delta / 2;
    }
  };
  follow(r.left, r.right, anchors.Contains(akLeft), anchors.Contains(akRight), dx);
  follow(r.top, r.bottom, anchors.Contains(akTop), anchors.Contains(akBottom), dy);
  return r;
}

namespace {
const TEnumNames<TAnchorKind>& AnchorNames() {
  static const TEnumNames<TAnchorKind> names = {
      {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
  return names;
}
const TEnumNames<TBiDiMode>& BiDiModeNames() {
  static const TEnumNames<TBiDiMode> names = {{"bdLeftToRight", bdLeftToRight}, {"bdRightToLeft", bdRightToLeft},
      {"bdRightToLeftNoAlign", bdRightToLeftNoAlign}, {"bdRightToLeftReadingOnly", bdRightToLeftReadingOnly}};
  return names;
}
const TEnumNames<TDragKind>& DragKindNames() {
  static const TEnumNames<TDragKind> names = {{"dkDrag", dkDrag}, {"dkDock", dkDock}};
  return names;
}
const TEnumNames<TDragMode>& DragModeNames() {
  static const TEnumNames<TDragMode> names = {{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}};
  return names;
}
const TEnumNames<THelpType>& HelpTypeNames() {
  static const TEnumNames<THelpType> names = {{"htKeyword", htKeyword}, {"htContext", htContext}};
  return names;
}

// A stored trait: read with `convert`, written into the control's traits by `store`.
template <class Store>
TPropInfo TraitProp(Store store) {
  return {[store](TPersistent& t, const TFormValue& v, TReadContext&) { store(static_cast<TControl&>(t).Traits(), v); },
          nullptr, nullptr};
}

TNotifyEvent FindHandler(const TFormValue& v, TReadContext& context) {
  const std::string& name = ValueIdent(v);
  const TNotifyEvent* handler = context.Handlers().FindHandler(name);
  if (!handler) BadValue(v, "unknown handler '" + name + "'");
  return *handler;
}

// An event the framework has no machinery for: its handler is kept under its name.
TPropInfo StoredEvent(const std::string& name) {
  return {[name](TPersistent& t, const TFormValue& v, TReadContext& context) {
    static_cast<TControl&>(t).Traits().events[name] = FindHandler(v, context);
  }, nullptr, nullptr};
}

}  // namespace

void AddControlTraits(TPropTable& t) {
  t.Add("Anchors", SetProp(&TControl::SetAnchors, AnchorNames()));
  t.Add("PopupMenu", ComponentProp(&TControl::SetPopupMenu));
  t.Add("BiDiMode", EnumProp(&TControl::SetBiDiMode, BiDiModeNames()));
  t.Add("ParentBiDiMode", BoolProp(&TControl::SetParentBiDiMode));
  t.Add("DragCursor", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.dragCursor = ValueToCursor(v); }));
  t.Add("DragKind", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.dragKind = ValueToEnum(v, DragKindNames()); }));
  t.Add("DragMode", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.dragMode = ValueToEnum(v, DragModeNames()); }));
  t.Add("HelpContext", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.helpContext = static_cast<int>(ValueToInteger(v)); }));
  t.Add("HelpKeyword", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.helpKeyword = ValueToString(v); }));
  t.Add("HelpType", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.helpType = ValueToEnum(v, HelpTypeNames()); }));
  t.Add("Action", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.action = ValueIdent(v); }));
  t.Add("OnMouseDown", AdaptedEventProp(&TControl::OnMouseDown));
  t.Add("OnMouseUp", AdaptedEventProp(&TControl::OnMouseUp));
  t.Add("OnMouseMove", AdaptedEventProp(&TControl::OnMouseMove));
  for (const char* name : {"OnContextPopup", "OnDragDrop", "OnDragOver", "OnEndDrag", "OnStartDrag", "OnEndDock",
                           "OnStartDock"})
    t.Add(name, StoredEvent(name));
}

void AddWindowedTraits(TPropTable& t) {
  t.Add("DockSite", TraitProp([](TStoredTraits& s, const TFormValue& v) { s.dockSite = ValueToBool(v); }));
  t.Add("OnEnter", EventProp(&TWinControl::OnEnter));
  t.Add("OnExit", EventProp(&TWinControl::OnExit));
  t.Add("OnResize", EventProp(&TWinControl::OnResize));
  t.Add("OnKeyDown", AdaptedEventProp(&TWinControl::OnKeyDown));
  t.Add("OnKeyUp", AdaptedEventProp(&TWinControl::OnKeyUp));
  t.Add("OnKeyPress", AdaptedEventProp(&TWinControl::OnKeyPress));
  for (const char* name : {"OnDockDrop", "OnDockOver", "OnUnDock",
                           "OnGetSiteInfo", "OnMouseWheel", "OnMouseWheelDown", "OnMouseWheelUp"})
    t.Add(name, StoredEvent(name));
}
