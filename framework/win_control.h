// TWinControl: a control with a window of its own (created lazily from CreateParams), holding
// child controls, tab order and focus, and painting and feeding its window-less children.
// TCustomControl: a windowed control that paints itself on a canvas.
#pragma once
#include <string>
#include <vector>
#include "framework/back_buffer.h"
#include "framework/control.h"
#include "framework/kept_look.h"

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

struct TCreateParams {
  std::wstring className;     // our own window class unless systemClass
  bool systemClass = false;   // a system class (BUTTON, EDIT) we subclass after creation
  std::wstring caption;
  DWORD style = 0, exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parentWindow = nullptr;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();                      // creates the window (and its parents') when needed
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Creates the windows of children added while this window already existed (during loading).
  void CreateChildHandles();
  void DestroyHandle();
  void RecreateWnd();
  static TWinControl* FromHandle(HWND window);  // the control behind one of our windows

  const std::vector<TControl*>& Controls() const { return controls_; }  // creation order
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* ControlAtPos(POINT point) const;   // the topmost window-less child there
  void RealignControls();

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  const std::vector<TWinControl*>& TabList() const { return tabList_; }
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void Invalidate() override;
  void Update() override;
  // What the window shows changed without a paint of it: its kept picture is old, and with
  // `children` so are those of its windowed children, whose backgrounds may show it.
  void LookChanged(bool children);
  // A part of the client changed look (a window-less child): so did windowed children over it.
  void LookChangedIn(const RECT& area);
  void WndProc(TMessage& message) override;
  void Loaded() override;
  void DescribeAccessible(TAccessibleInfo& info) const override;

  // Key steps: a handler that sets the key to 0 swallows it before the control and the system see it.
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;
  TNotifyEvent OnResize;  // the client changed size

  static const TPropTable& Properties();
  const TPropTable& PropertyTable() const override { return Properties(); }

protected:
  // Reached for WM_KEYDOWN and WM_SYSKEYDOWN alike, so shortcuts with Alt work too.
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(wchar_t& key);
  // The window gained or lost the keyboard focus.
  virtual void DoEnter();
  virtual void DoExit();
  // Answer to WM_GETDLGCODE; gets the window procedure's own answer.
  virtual LRESULT DialogCode(LRESULT defaultCode) { return defaultCode; }
  // Non-client hooks; the defaults are the system's.
  virtual void NCCalcSize(TMessage& message) { DefaultHandler(message); }
  virtual void NCPaint(TMessage& message);
  bool HasNonClientArea() const;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void AlignControls(RECT& rect);
  virtual void AdjustClientRect(RECT& rect) { (void)rect; }
  virtual void PaintWindow(HDC dc) { (void)dc; }
  virtual bool PaintsBuffered() const { return doubleBuffered_; }
  // Paints the whole client through the kept buffer onto dc, which then holds the current look;
  // for windows whose painting the system drives (owner-drawn buttons).
  void PaintKept(HDC dc, const std::function<void(HDC)>& paint);
  bool PaintPicture(HDC target, const std::function<void(HDC)>& paint);
  // Paints the current look into the kept buffer ahead of the window's own paint; false for a
  // window that paints only when the system asks.
  virtual bool PaintPictureAhead(HDC target);
  virtual void PaintBackground(HDC dc);
  void PaintControls(HDC dc);
  void DefaultHandler(TMessage& message);
  void UpdateBoundsFromWindow();
  bool IsOwnClass() const { return defProc_ == nullptr; }

private:
  static LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void PaintHandler(TMessage& message);
  void PaintInto(HDC dc, const RECT& area);
  void PaintAll(HDC dc);  // background, own picture, window-less children
  bool CoversVisibleClient(const RECT& area) const;
  void NoteLookEffect(const TMessage& message);
  HDC CurrentPicture() const;
  bool PaintShownByParent();
  void ShowChildrenPictures(const RECT& area);
  bool MayShowPictureOf(const TWinControl* child, HWND caret) const;
  bool RouteMouse(TMessage& message);
  bool SetCursorFor(TMessage& message);
  bool Reflect(TMessage& message);
  void Broadcast(UINT msg);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void MoveControlToFront(TControl* control);
  void CreateHandle();
  // Moves and stretches anchored children by the client's change of size since the last time.
  void AnchorControls();
  // The popup menu of the window-less child under a right-click, else this control's.
  bool ShowPopupMenu(LPARAM at);

  HWND handle_ = nullptr;
  WNDPROC defProc_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  bool doubleBuffered_ = true;
  TBackBuffer backBuffer_;
  TKeptLook kept_;
  bool settingBounds_ = false;
  TControl* captureControl_ = nullptr;
  SIZE anchorBase_{-1, -1};  // the client size the children were last anchored to

  friend class TControl;
};

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
  TCanvas& Canvas() { return canvas_; }
protected:
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}
private:
  TCanvas canvas_;
};

// Framework hook: handles an exception that escaped a window procedure.
void HandleWindowProcException();
// The system never gives real input to a disabled window or one whose top level is disabled
// (a box or dialog holds it); input posted or sent there by other programs is dropped alike.
bool IsDroppedInput(HWND window, UINT msg);
// Mouse messages of the client area and key messages.
bool IsInputMessage(UINT msg);
// A WM_CONTEXTMENU from the keyboard (Shift+F10, the menu key): both words of lParam are -1,
// however the system extended them into LPARAM.
bool IsKeyboardContextMenu(LPARAM at);
