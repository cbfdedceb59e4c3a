// TOmTimerService: the process's one service of repeating GUI-thread timers for the Om
// controls, keyed by id. A removed timer never ticks again, even with a tick already queued.
#pragma once
#include <functional>
#include <map>
#include <windows.h>

class TOmTimerService {
public:
  using TTick = std::function<void()>;
  static TOmTimerService& Instance();
  ~TOmTimerService();

  // A disabled timer with the interval (clamped to what the system accepts); returns its id.
  int Register(long long interval, TTick tick);
  void Enable(int id, bool enabled);
  // Takes effect from the next period on.
  void SetInterval(int id, long long interval);
  void Remove(int id);
  bool Exists(int id) const { return timers_.count(id) != 0; }
  bool Enabled(int id) const;
  unsigned Interval(int id) const;
  int Count() const { return static_cast<int>(timers_.size()); }

  // USER_TIMER_MINIMUM..USER_TIMER_MAXIMUM: a zero or negative count would spin, a larger one
  // would be cut by the system.
  static unsigned ClampInterval(long long interval);

private:
  TOmTimerService() = default;
  struct TTimer { unsigned interval; TTick tick; bool enabled; };
  HWND Window();
  void Arm(int id, const TTimer& timer);
  static LRESULT CALLBACK WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Tick(int id);

  HWND window_ = nullptr;
  int nextId_ = 0;
  std::map<int, TTimer> timers_;
};
