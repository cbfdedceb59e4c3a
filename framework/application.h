// TApplication: the program's one application object: title and task bar button (a hidden
// owner window), main form, message loop with dialog keys, minimise, hints and the error box.
#pragma once
#include <exception>
#include <string>
#include <windows.h>
#include "framework/component.h"

class TControl;
class TForm;
class TWinControl;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  HWND Handle() const { return handle_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  TForm* MainForm() const { return mainForm_; }
  template <class F>
  F* CreateForm() {
    auto* form = new F(this);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  void SetMainForm(TForm* form) { mainForm_ = form; }

  // Shows the main form and dispatches messages until Terminate; returns the exit code.
  int Run();
  // Shows the main form now and the task bar button once the program waits for input.
  void ShowMainForm();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles one waiting message; false when there was none.
  bool ProcessMessage();
  void ProcessMessages() { while (ProcessMessage()) {} }

  void Minimize();
  void Restore();
  bool Minimized() const;

  // The default error box: error icon, the title as caption, the message with a full stop.
  void HandleException(const std::exception& error);
  static std::string ErrorBoxText(const std::string& message);

  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  bool HintShowing() const;
  std::string HintText() const;

  // Framework notifications from the control tree.
  void MouseOver(TControl* control);
  void MouseLeftWindow(TWinControl* window);
  void ControlRemoved(TControl* control);
  void ControlFocused(TWinControl* control);
  void FormDestroyed(TForm* form);

private:
  static LRESULT CALLBACK AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void HandleMessage(const MSG& msg);
  bool IsDialogKey(const MSG& msg);
  bool IsDialogChar(const MSG& msg);
  void ShowHintNow();
  void CancelHint();

  HWND handle_ = nullptr;
  HWND hintWindow_ = nullptr;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  TControl* mouseControl_ = nullptr;
  TControl* hintControl_ = nullptr;
  int hintPause_ = 500, hintHidePause_ = 2500;
};

extern TApplication* Application;
