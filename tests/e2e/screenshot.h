// Pictures of the screen for people to look at: written only when OSTRI_E2E_SHOTS names a
// folder (a Windows path), so ordinary runs stay fast.
#pragma once
#include <windows.h>
#include <string>

// Saves the whole screen as <folder>\<name>.bmp once `window` has had time to paint.
// False only when a picture was asked for and could not be written.
bool SaveScreenshot(const std::wstring& name, HWND window = nullptr);
