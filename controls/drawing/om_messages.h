// Private messages by which the Om controls tell each other to redraw, that a background
// changed, that focus moved, or that the visual theme switched. Parameters are 0.
#pragma once
#include <windows.h>

// In the framework's component-message range (from 0xB000), clear of its own CM_* numbers.
constexpr UINT OMSG_REDRAW = 0xB0CD;        // a graphic control repaints itself now if visible
constexpr UINT OMSG_BACKCHANGED = 0xB0CE;   // the parent's background changed
constexpr UINT OMSG_FOCUSGAINED = 0xB0CF;   // posted to itself after the system focus message
constexpr UINT OMSG_FOCUSLOST = 0xB0D0;     // posted to itself after the focus-loss message
constexpr UINT OMSG_THEMECHANGED = 0xB0D6;  // the theme or the themes switch changed
