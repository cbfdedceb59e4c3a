// TKeptLook: whether a window's kept paint buffer still holds what the window would paint now,
// and what of it the parent last copied onto the screen for the window.
#pragma once
#include <windows.h>

struct TKeptLook {
  unsigned look = 1;   // moves on with every change that may alter what the window shows
  unsigned image = 0;  // the look the kept buffer holds
  unsigned shown = 0;  // the look the parent last copied whole onto the screen for the window
  SIZE size{};         // the client size the last change was judged against

  void Changed() { ++look; }
};

// What a message received may do to a window's look: nothing; leave what the screen shows of it
// in doubt (it moved or was shown); change its own; change its own and its windowed children's,
// whose backgrounds may show it.
enum class TLookEffect { None, Moved, Own, WithChildren };
TLookEffect LookEffectOf(UINT msg);
