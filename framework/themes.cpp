#include "framework/themes.h"
#include "framework/library_entry.h"
#include <map>

namespace {

// Entry points looked up by name, so the program still runs where the library is absent.
struct TThemeApi {
  using IsThemeActiveFn = BOOL(WINAPI*)();
  using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
  using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
  using GetThemePartSizeFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, int, SIZE*);
  using IsPartiallyTransparentFn = BOOL(WINAPI*)(HTHEME, int, int);
  using IsThemePartDefinedFn = BOOL(WINAPI*)(HTHEME, int, int);

  IsThemeActiveFn IsThemeActive = nullptr;
  OpenThemeDataFn OpenThemeData = nullptr;
  CloseThemeDataFn CloseThemeData = nullptr;
  DrawThemeBackgroundFn DrawThemeBackground = nullptr;
  DrawThemeParentBackgroundFn DrawThemeParentBackground = nullptr;
  GetThemePartSizeFn GetThemePartSize = nullptr;
  IsPartiallyTransparentFn IsThemeBackgroundPartiallyTransparent = nullptr;
  IsThemePartDefinedFn IsThemePartDefined = nullptr;
  bool loaded = false;

  TThemeApi() {
    HMODULE library = LoadLibraryW(L"uxtheme.dll");
    if (!library) return;
    bool all = FindLibraryEntry(library, "IsThemeActive", IsThemeActive) &&
               FindLibraryEntry(library, "OpenThemeData", OpenThemeData) &&
               FindLibraryEntry(library, "CloseThemeData", CloseThemeData) &&
               FindLibraryEntry(library, "DrawThemeBackground", DrawThemeBackground) &&
               FindLibraryEntry(library, "DrawThemeParentBackground", DrawThemeParentBackground) &&
               FindLibraryEntry(library, "GetThemePartSize", GetThemePartSize) &&
               FindLibraryEntry(library, "IsThemeBackgroundPartiallyTransparent", IsThemeBackgroundPartiallyTransparent) &&
               FindLibraryEntry(library, "IsThemePartDefined", IsThemePartDefined);
    // A library without all of them is treated as absent; it stays loaded for the process.
    loaded = all;
  }
};

const TThemeApi& Api() {
  static const TThemeApi api;
  return api;
}

bool themesWanted = true;
std::map<int, TThemeSwitchListener>& Listeners() {
  static std::map<int, TThemeSwitchListener> listeners;
  return listeners;
}

}  // namespace

bool ThemeLibraryLoaded() { return Api().loaded; }
bool ThemesWanted() { return themesWanted; }

void SetThemesWanted(bool wanted) {
  if (wanted == themesWanted) return;
  themesWanted = wanted;
  auto listeners = Listeners();  // a listener may remove itself
  for (auto& [key, listener] : listeners) listener();
}

int AddThemeSwitchListener(TThemeSwitchListener listener) {
  static int nextKey = 0;
  Listeners()[++nextKey] = std::move(listener);
  return nextKey;
}

void RemoveThemeSwitchListener(int key) { Listeners().erase(key); }

bool ThemesInUse() { return themesWanted && Api().loaded && Api().IsThemeActive(); }

TThemeData::TThemeData(HWND window, const wchar_t* classList) { Open(window, classList); }

TThemeData& TThemeData::operator=(TThemeData&& other) noexcept {
  if (this != &other) {
    Close();
    theme_ = std::exchange(other.theme_, nullptr);
  }
  return *this;
}

void TThemeData::Open(HWND window, const wchar_t* classList) {
  Close();
  if (Api().loaded) theme_ = Api().OpenThemeData(window, classList);
}

void TThemeData::Close() {
  if (theme_) Api().CloseThemeData(std::exchange(theme_, nullptr));
}

bool TThemeData::DrawBackground(HDC dc, int part, int state, const RECT& rect, const RECT* clip) const {
  return theme_ && SUCCEEDED(Api().DrawThemeBackground(theme_, dc, part, state, &rect, clip));
}

SIZE TThemeData::PartSize(HDC dc, int part, int state) const {
  SIZE size{0, 0};
  constexpr int kTrueSize = 1;  // TS_TRUE
  if (theme_ && FAILED(Api().GetThemePartSize(theme_, dc, part, state, nullptr, kTrueSize, &size)))
    size = {0, 0};
  return size;
}

bool TThemeData::IsPartiallyTransparent(int part, int state) const {
  return theme_ && Api().IsThemeBackgroundPartiallyTransparent(theme_, part, state);
}

bool TThemeData::IsPartDefined(int part, int state) const {
  return theme_ && Api().IsThemePartDefined(theme_, part, state);
}

bool DrawThemeParentBackgroundOf(HWND window, HDC dc, const RECT* rect) {
  return Api().loaded && SUCCEEDED(Api().DrawThemeParentBackground(window, dc, rect));
}
