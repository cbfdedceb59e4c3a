#include "controls/labels/timer_service.h"
#include <algorithm>

TOmTimerService& TOmTimerService::Instance() {
  static TOmTimerService service;
  return service;
}

TOmTimerService::~TOmTimerService() {
  if (window_) DestroyWindow(window_);
}

unsigned TOmTimerService::ClampInterval(long long interval) {
  return static_cast<unsigned>(std::clamp<long long>(interval, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
}

HWND TOmTimerService::Window() {
  if (!window_) {
    static const wchar_t kClass[] = L"OstrimarkOmTimers";
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TOmTimerService::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    window_ = CreateWindowW(kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  return window_;
}

LRESULT CALLBACK TOmTimerService::WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    Instance().Tick(static_cast<int>(wParam));
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

void TOmTimerService::Arm(int id, const TTimer& timer) {
  if (timer.enabled) SetTimer(Window(), static_cast<UINT_PTR>(id), timer.interval, nullptr);
  else if (window_) KillTimer(window_, static_cast<UINT_PTR>(id));
}

int TOmTimerService::Register(long long interval, TTick tick) {
  const int id = ++nextId_;
  timers_[id] = TTimer{ClampInterval(interval), std::move(tick), false};
  return id;
}

void TOmTimerService::Enable(int id, bool enabled) {
  auto it = timers_.find(id);
  if (it == timers_.end() || it->second.enabled == enabled) return;
  it->second.enabled = enabled;
  Arm(id, it->second);
}

void TOmTimerService::SetInterval(int id, long long interval) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  const unsigned clamped = ClampInterval(interval);
  if (clamped == it->second.interval) return;
  it->second.interval = clamped;
  Arm(id, it->second);
}

void TOmTimerService::Remove(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  if (window_) KillTimer(window_, static_cast<UINT_PTR>(id));
  timers_.erase(it);
}

bool TOmTimerService::Enabled(int id) const {
  auto it = timers_.find(id);
  return it != timers_.end() && it->second.enabled;
}

unsigned TOmTimerService::Interval(int id) const {
  auto it = timers_.find(id);
  return it == timers_.end() ? 0 : it->second.interval;
}

void TOmTimerService::Tick(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end() || !it->second.enabled) {
    KillTimer(window_, static_cast<UINT_PTR>(id));  // a late tick of a removed timer
    return;
  }
  TTick tick = it->second.tick;  // the tick may remove its own timer
  tick();
}
