// How a windowed control paints: its own picture through a kept buffer, its window-less children
// on it, and, when nothing changed since they last painted, its windowed children's pictures
// copied in its own paint, so a repaint of the whole window does not make each child paint again
// (under Wine every child paint costs about as much as copying the whole face).
#include "framework/win_control.h"
#include "framework/form.h"

TLookEffect LookEffectOf(UINT msg) {
  switch (msg) {
    case WM_NULL: case WM_PAINT: case WM_ERASEBKGND: case WM_NCPAINT: case WM_SYNCPAINT: case WM_PRINT:
    case WM_PRINTCLIENT: case WM_NCHITTEST: case WM_SETCURSOR: case WM_GETTEXT: case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE: case WM_GETFONT: case WM_GETICON: case WM_GETOBJECT: case WM_GETMINMAXINFO:
    case WM_QUERYUISTATE: case WM_WINDOWPOSCHANGING: case WM_NCCALCSIZE: case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM: case WM_MEASUREITEM: case WM_COMMAND: case WM_NOTIFY: case WM_ENTERIDLE:
      // A parent's handlers of child notifications change looks through invalidation, which counts.
      return TLookEffect::None;
    case WM_WINDOWPOSCHANGED: case WM_MOVE: case WM_SHOWWINDOW: case WM_SIZE:
      return TLookEffect::Moved;
    case WM_THEMECHANGED: case WM_SYSCOLORCHANGE: case WM_SETTINGCHANGE: case WM_DISPLAYCHANGE:
    case WM_STYLECHANGED: case WM_FONTCHANGE: case WM_PALETTECHANGED: case WM_DPICHANGED:
      return TLookEffect::WithChildren;
    default:
      return TLookEffect::Own;
  }
}

void TWinControl::NoteLookEffect(const TMessage& m) {
  TLookEffect effect = LookEffectOf(m.Msg);
  if (m.Msg == WM_MOVE && Parent()) {
    // A child that moves shows another part of its parent through its see-through parts, where
    // the system only copied its old pixels.
    return Invalidate();
  }
  if (m.Msg == WM_SIZE && m.WParam != SIZE_MINIMIZED) {
    // Restored at the size it had, a window looks as before; at another, its children may not.
    const SIZE size{LOWORD(m.LParam), HIWORD(m.LParam)};
    if (size.cx != kept_.size.cx || size.cy != kept_.size.cy) effect = TLookEffect::WithChildren;
    kept_.size = size;
  }
  if (effect == TLookEffect::Moved) kept_.shown = 0;
  else if (effect != TLookEffect::None) LookChanged(effect == TLookEffect::WithChildren);
}

void TWinControl::LookChanged(bool children) {
  kept_.Changed();
  if (!children) return;
  for (TControl* control : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->LookChanged(true);
}

void TWinControl::LookChangedIn(const RECT& area) {
  kept_.Changed();
  for (TControl* control : controls_) {
    auto* win = dynamic_cast<TWinControl*>(control);
    RECT bounds = control->BoundsRect(), overlap;
    if (win && IntersectRect(&overlap, &bounds, &area)) win->LookChanged(true);
  }
}

HDC TWinControl::CurrentPicture() const {
  if (!handle_ || kept_.image != kept_.look) return nullptr;
  RECT client;
  GetClientRect(handle_, &client);
  return backBuffer_.Picture(client.right, client.bottom);
}

void TWinControl::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(handle_, &client);
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
  FillRect(dc, &client, brush.Get());
}

void TWinControl::PaintControls(HDC dc) {
  RECT clip;
  GetClipBox(dc, &clip);
  for (TControl* control : controls_) {
    auto* graphic = dynamic_cast<TGraphicControl*>(control);
    if (!graphic || !(graphic->Visible() || IsDesigning())) continue;
    RECT bounds = graphic->BoundsRect(), overlap;
    if (!IntersectRect(&overlap, &bounds, &clip)) continue;
    TDCStateGuard guard(dc);
    OffsetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
    graphic->PaintOn(dc);
  }
  RECT focus;
  if (GraphicFocusRect(*this, focus)) {
    TDCStateGuard guard(dc);
    SetTextColor(dc, RGB(0, 0, 0));  // DrawFocusRect inverts by these: black and white give a plain dotted line
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  PAINTSTRUCT ps{};
  HDC dc = m.Msg == WM_PRINTCLIENT ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(handle_, &ps);
  RECT client;
  GetClientRect(handle_, &client);
  if (m.Msg == WM_PRINTCLIENT) {
    // A child asking for the background behind a few of its pixels clips the context to them.
    RECT clip;
    ps.rcPaint = client;
    const int kind = GetClipBox(dc, &clip);
    if (kind != NULLREGION && kind != ERROR) IntersectRect(&ps.rcPaint, &client, &clip);
  }
  struct TEndPaint {
    HWND window; PAINTSTRUCT* ps; bool active;
    ~TEndPaint() { if (active) EndPaint(window, ps); }
  } endPaint{handle_, &ps, m.Msg == WM_PAINT};
  if (!PaintsBuffered() || client.right <= 0 || client.bottom <= 0) {
    PaintAll(dc);
  } else {
    PaintInto(dc, ps.rcPaint);
  }
  if (m.Msg == WM_PAINT) ShowChildrenPictures(ps.rcPaint);
}

// Paints `area` of the client onto dc through the kept buffer, or copies it from the kept
// picture when nothing changed since it was painted.
void TWinControl::PaintInto(HDC dc, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (HDC picture = CurrentPicture()) {
    BitBlt(dc, area.left, area.top, width, height, picture, area.left, area.top, SRCCOPY);
    return;
  }
  RECT client;
  GetClientRect(handle_, &client);
  const unsigned look = kept_.look;
  TPaintBuffer memory(backBuffer_, dc, client.right, client.bottom, area);
  IntersectClipRect(memory.Get(), area.left, area.top, area.right, area.bottom);
  PaintAll(memory.Get());
  BitBlt(dc, area.left, area.top, width, height, memory.Get(), area.left, area.top, SRCCOPY);
  // Outside a partial paint the buffer keeps the picture before, still right if the look was.
  const bool whole = CoversVisibleClient(area);
  if (memory.Kept() && (whole || (!memory.Fresh() && kept_.image == look))) kept_.image = look;
}

// Whether `area` holds all of the client the window's region lets show.
bool TWinControl::CoversVisibleClient(const RECT& area) const {
  RECT client, shown, joined;
  GetClientRect(handle_, &client);
  shown = client;
  RECT region;
  if (GetWindowRgnBox(handle_, &region) != ERROR) {
    // The region is in window coordinates; the client starts at the window's origin only without a frame.
    POINT origin{0, 0};
    MapWindowPoints(handle_, nullptr, &origin, 1);
    RECT window;
    GetWindowRect(handle_, &window);
    OffsetRect(&region, window.left - origin.x, window.top - origin.y);
    IntersectRect(&shown, &client, &region);
  }
  UnionRect(&joined, &shown, &area);
  return EqualRect(&joined, &area) != FALSE;
}

void TWinControl::PaintAll(HDC dc) {
  PaintBackground(dc);
  PaintWindow(dc);
  PaintControls(dc);
}

// Paints the whole client into the kept buffer, made in target's format, without showing it;
// false when the client is empty or the buffer in use.
bool TWinControl::PaintPicture(HDC target, const std::function<void(HDC)>& paint) {
  RECT client;
  GetClientRect(handle_, &client);
  if (client.right <= 0 || client.bottom <= 0) return false;
  const unsigned look = kept_.look;
  TPaintBuffer memory(backBuffer_, target, client.right, client.bottom, client);
  if (!memory.Kept()) return false;
  paint(memory.Get());
  kept_.image = look;
  return true;
}

bool TWinControl::PaintPictureAhead(HDC target) {
  if (!IsOwnClass() || !PaintsBuffered()) return false;
  return PaintPicture(target, [this](HDC buffer) { PaintAll(buffer); });
}

void TWinControl::PaintKept(HDC dc, const std::function<void(HDC)>& paint) {
  RECT client;
  GetClientRect(handle_, &client);
  const unsigned look = kept_.look;
  TPaintBuffer memory(backBuffer_, dc, client.right, client.bottom, client);
  paint(memory.Get());
  BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
  if (memory.Kept()) kept_.image = look;
}

// A child whose current picture the parent has just put whole on the screen only clears its
// update. Once only: if something is still to paint after that, the next paint is a real one.
bool TWinControl::PaintShownByParent() {
  const bool shown = kept_.shown == kept_.look && CurrentPicture();
  kept_.shown = 0;
  if (shown) ValidateRect(handle_, nullptr);
  return shown;
}

// Whether the parent may show the child's picture; if not, the child paints itself.
bool TWinControl::MayShowPictureOf(const TWinControl* child, HWND caret) const {
  // The system draws a caret over the screen; a copied picture would wipe it out of step.
  if (!child->handle_ || child->handle_ == caret || !IsWindowVisible(child->handle_)) return false;
  for (TControl* grandchild : child->controls_)
    if (dynamic_cast<TWinControl*>(grandchild)) return false;
  RECT bounds = child->BoundsRect(), overlap;
  for (TControl* sibling : controls_) {
    auto* win = dynamic_cast<TWinControl*>(sibling);
    RECT other = sibling->BoundsRect();
    const bool shown = win && win != child && win->handle_ && IsWindowVisible(win->handle_);
    if (shown && IntersectRect(&overlap, &bounds, &other)) return false;
  }
  return true;
}

// Copies the current pictures of windowed children within `area` onto the screen; the window
// clips its children out of its own paint, so this takes a context that reaches into them.
void TWinControl::ShowChildrenPictures(const RECT& area) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  const HWND caret = GetGUIThreadInfo(GetCurrentThreadId(), &thread) ? thread.hwndCaret : nullptr;
  HDC dc = nullptr;
  for (TControl* control : controls_) {
    auto* child = dynamic_cast<TWinControl*>(control);
    if (!child || !MayShowPictureOf(child, caret)) continue;
    RECT client;
    GetClientRect(child->handle_, &client);
    MapWindowPoints(child->handle_, handle_, reinterpret_cast<POINT*>(&client), 2);
    RECT part;
    if (!IntersectRect(&part, &client, &area)) continue;
    HDC picture = child->CurrentPicture();
    if (!picture && !GetUpdateRect(child->handle_, nullptr, FALSE)) continue;
    if (!dc) dc = GetDCEx(handle_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) return;
    // A child due to paint and wholly in the area (on the window's first paint, all are) paints
    // its picture now, shown with this paint instead of in a paint of its own, which under Wine
    // costs about as much again as the drawing.
    if (!picture && EqualRect(&part, &client) && child->PaintPictureAhead(dc)) picture = child->CurrentPicture();
    if (!picture) continue;
    BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, picture, part.left - client.left,
           part.top - client.top, SRCCOPY);
    if (!EqualRect(&part, &client)) {
      child->kept_.shown = 0;  // what else it has to paint it paints itself
      continue;
    }
    // Shown whole: what the child had to paint is on the screen, sparing it the paint message.
    child->kept_.shown = child->kept_.look;
    ValidateRect(child->handle_, nullptr);
  }
  if (dc) ReleaseDC(handle_, dc);
}
