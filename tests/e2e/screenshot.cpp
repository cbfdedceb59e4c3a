#include "tests/e2e/screenshot.h"

#include <vector>

namespace {
std::wstring ShotsFolder() {
  wchar_t folder[MAX_PATH] = L"";
  DWORD length = GetEnvironmentVariableW(L"OSTRI_E2E_SHOTS", folder, MAX_PATH);
  return length && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

bool WriteBitmap(const std::wstring& file, const BITMAPINFOHEADER& header, const void* bits, DWORD bitsSize) {
  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;  // "BM"
  fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  fileHeader.bfSize = fileHeader.bfOffBits + bitsSize;
  HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &fileHeader, sizeof(fileHeader), &written, nullptr) &&
            WriteFile(out, &header, sizeof(header), &written, nullptr) &&
            WriteFile(out, bits, bitsSize, &written, nullptr);
  CloseHandle(out);
  return ok;
}
}  // namespace

bool SaveScreenshot(const std::wstring& name, HWND window) {
  const std::wstring folder = ShotsFolder();
  if (folder.empty()) return true;
  if (window) {
    // A box that has just appeared may not have painted yet.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    Sleep(300);
  }
  CreateDirectoryW(folder.c_str(), nullptr);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as .bmp files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (dib) {
    HGDIOBJ old = SelectObject(memory, dib);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    SelectObject(memory, old);
    if (ok) ok = WriteBitmap(folder + L"\\" + name + L".bmp", header, bits, stride * height);
    DeleteObject(dib);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}
