// The visual-styles library, reached only through this run-time loader: ThemesInUse() says whether
// controls may draw themed; TThemeData owns one open theme handle.
#pragma once
#include <functional>
#include <utility>
#include <windows.h>

using HTHEME = HANDLE;

// True when uxtheme.dll is loaded with every entry point the controls call.
bool ThemeLibraryLoaded();
// The application-wide switch (on from start-up); tests turn it off for the classic look.
bool ThemesWanted();
// Changing the switch calls every registered listener, so controls can redraw.
void SetThemesWanted(bool wanted);
using TThemeSwitchListener = std::function<void()>;
int AddThemeSwitchListener(TThemeSwitchListener listener);  // returns a key for removal
void RemoveThemeSwitchListener(int key);
// Themes are in use when wanted, the library is loaded and the system says a theme is active.
bool ThemesInUse();

// An open theme handle for one window and class list, closed once; move-only.
class TThemeData {
public:
  TThemeData() = default;
  TThemeData(HWND window, const wchar_t* classList);  // empty when the library is missing
  ~TThemeData() { Close(); }
  TThemeData(TThemeData&& other) noexcept : theme_(std::exchange(other.theme_, nullptr)) {}
  TThemeData& operator=(TThemeData&& other) noexcept;
  TThemeData(const TThemeData&) = delete;
  TThemeData& operator=(const TThemeData&) = delete;

  void Open(HWND window, const wchar_t* classList);
  void Close();
  HTHEME Get() const { return theme_; }
  explicit operator bool() const { return theme_ != nullptr; }

  // Each answers failure (false, or a zero size) when no theme is open.
  bool DrawBackground(HDC dc, int part, int state, const RECT& rect, const RECT* clip = nullptr) const;
  SIZE PartSize(HDC dc, int part, int state) const;  // the theme's true size
  bool IsPartiallyTransparent(int part, int state) const;
  bool IsPartDefined(int part, int state) const;

private:
  HTHEME theme_ = nullptr;
};

// Lets the theme paint a window's parent background into dc (rect null: all of it).
bool DrawThemeParentBackgroundOf(HWND window, HDC dc, const RECT* rect = nullptr);
