#include "tests/e2e/fs9_key.h"

#include "tests/e2e/program.h"

#include <sddl.h>
#include <cstdio>

namespace {
// The simulator is a 32-bit program: its key lives in the 32-bit view.
constexpr REGSAM kView = KEY_WOW64_32KEY;

bool SetValue(DWORD type, const void* data, DWORD size, const wchar_t* subkey) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool ok = RegSetValueExW(key, kExePath, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  if (subkey) {
    HKEY child = nullptr;
    ok = ok && RegCreateKeyExW(key, subkey, 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, &child, nullptr) ==
                   ERROR_SUCCESS;
    if (child) RegCloseKey(child);
  }
  RegCloseKey(key);
  return ok;
}

bool AllowEveryone(DWORD rights) {
  HKEY key = nullptr;
  // The owner may always change the list, even one that grants it nothing else.
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, WRITE_DAC | kView, &key) != ERROR_SUCCESS) return false;
  wchar_t text[64];
  std::swprintf(text, 64, L"D:P(A;;0x%lX;;;WD)", static_cast<unsigned long>(rights));
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorW(text, SDDL_REVISION_1, &descriptor, nullptr) &&
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  LocalFree(descriptor);
  RegCloseKey(key);
  return ok;
}
}  // namespace

TFS9Key::TFS9Key() {
  HKEY key = nullptr;
  existed_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, KEY_READ | kView, &key) == ERROR_SUCCESS;
  if (!existed_) return;
  DWORD size = 0;
  hadValue_ = RegQueryValueExW(key, kExePath, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
  data_.resize(size);
  if (hadValue_ && size) RegQueryValueExW(key, kExePath, nullptr, &type_, data_.data(), &size);
  RegCloseKey(key);
}

TFS9Key::~TFS9Key() {
  Remove();
  if (!existed_) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  if (hadValue_) RegSetValueExW(key, kExePath, 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
  RegCloseKey(key);
}

bool TFS9Key::Seed(const std::wstring& folder, const wchar_t* subkey) {
  Remove();
  return SetValue(REG_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)), subkey);
}

bool TFS9Key::SeedRaw(DWORD type, const void* data, DWORD size) {
  Remove();
  return SetValue(type, data, size, nullptr);
}

bool TFS9Key::SeedDword(DWORD value) {
  Remove();
  return SetValue(REG_DWORD, &value, sizeof(value), nullptr);
}

bool TFS9Key::Remove() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, KEY_ALL_ACCESS | kView, &key) != ERROR_SUCCESS) return true;
  RegDeleteTreeW(key, nullptr);
  RegCloseKey(key);
  return RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, kView, 0) == ERROR_SUCCESS;
}

bool TFS9Key::Exists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, KEY_READ | kView, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<std::wstring> TFS9Key::Value() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, KEY_READ | kView, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD size = 0;
  std::optional<std::wstring> result;
  if (RegGetValueW(key, nullptr, kExePath, RRF_RT_REG_SZ, nullptr, nullptr, &size) == ERROR_SUCCESS) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(key, nullptr, kExePath, RRF_RT_REG_SZ, nullptr, text.data(), &size) == ERROR_SUCCESS) {
      text.resize(wcslen(text.c_str()));
      result = text;
    }
  }
  RegCloseKey(key);
  return result;
}

TKeyRights::TKeyRights(DWORD rights) : applied_(AllowEveryone(rights)) {}

TKeyRights::~TKeyRights() {
  if (applied_) AllowEveryone(KEY_ALL_ACCESS);
}

ULONGLONG TFS9Key::LastWriteTime() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFS9Key, 0, KEY_READ | kView, &key) != ERROR_SUCCESS) return 0;
  FILETIME time{};
  const bool ok = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, &time) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok ? (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime : 0;
}

const std::wstring& TScratch::Root() {
  static const std::wstring root = L"C:\\OstriE2E";
  return root;
}

bool TScratch::Prepare() {
  const std::wstring standin = BuildFolder() + L"\\standin\\fs9.exe";
  CreateDirectoryW(Root().c_str(), nullptr);
  bool ok = true;
  for (const std::wstring& folder : {FS9(), Other(), Empty()}) {
    CreateDirectoryW(folder.c_str(), nullptr);
    ok = ok && GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  for (const std::wstring& folder : {FS9(), Other()})
    ok = ok && CopyFileW(standin.c_str(), (folder + L"\\fs9.exe").c_str(), FALSE);
  DeleteFileW((Empty() + L"\\fs9.exe").c_str());
  return ok;
}
