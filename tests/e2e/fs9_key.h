// The simulator's key in the 32-bit registry view, as the test seeds and checks it, and the
// scratch folders on C: that its value points at.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>

inline constexpr wchar_t kFS9Key[] = L"SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
inline constexpr wchar_t kExePath[] = L"EXE Path";

// Remembers the key's "EXE Path" on construction and puts it back on destruction; removes the
// key when it had not existed.
class TFS9Key {
public:
  TFS9Key();
  ~TFS9Key();
  TFS9Key(const TFS9Key&) = delete;
  TFS9Key& operator=(const TFS9Key&) = delete;

  // Creates the key (with an optional subkey) and stores `folder` as a string value.
  static bool Seed(const std::wstring& folder, const wchar_t* subkey = nullptr);
  static bool SeedDword(DWORD value);
  // Any type and bytes, as a damaged or hand-edited registry may hold them.
  static bool SeedRaw(DWORD type, const void* data, DWORD size);
  static bool Remove();
  static bool Exists();
  // The stored string, or nothing when the key or the value is missing.
  static std::optional<std::wstring> Value();
  // The key's last write time, or zero when it cannot be read.
  static ULONGLONG LastWriteTime();

private:
  bool existed_ = false;
  DWORD type_ = REG_NONE;
  std::vector<BYTE> data_;
  bool hadValue_ = false;
};

// Grants everyone only `rights` on the key while it lives, as Windows limits a user without
// administrative rights; then all rights again, so the key can be put back.
class TKeyRights {
public:
  explicit TKeyRights(DWORD rights);
  ~TKeyRights();
  TKeyRights(const TKeyRights&) = delete;
  TKeyRights& operator=(const TKeyRights&) = delete;
  bool Applied() const { return applied_; }

private:
  bool applied_ = false;
};

// C:\OstriE2E with folders FS9 and Other (each with a stand-in fs9.exe) and Empty (none).
struct TScratch {
  static const std::wstring& Root();
  static std::wstring FS9() { return Root() + L"\\FS9"; }
  static std::wstring Other() { return Root() + L"\\Other"; }
  static std::wstring Empty() { return Root() + L"\\Empty"; }
  // Creates the folders once and copies the stand-in; false when it could not.
  static bool Prepare();
};
