#include "framework/registry.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

bool HasZero(const std::string& text) { return text.find('\0') != std::string::npos; }

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

[[noreturn]] void ThrowInvalidType(const std::string& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}

[[noreturn]] void ThrowGetFailed(const std::string& name) {
  throw ERegistryException("Failed to get data for '" + name + "'");
}

// The stored bytes may lack their terminating zero: stop at the first zero or at the size.
std::string TextOf(const std::vector<char>& data, DWORD size) {
  const auto end = data.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(size, data.size()));
  return std::string(data.begin(), std::find(data.begin(), end, '\0'));
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() { CloseKey(); }

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  CloseKey();
  // A zero would cut the path short and open some other key.
  if (HasZero(key)) {
    lastOpenStatus_ = ERROR_INVALID_PARAMETER;
    return false;
  }
  // One trailing separator names the same key; do not rely on each platform's parser for it.
  std::string path = key;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  HKEY opened = nullptr;
  LSTATUS status;
  if (canCreate) {
    status = RegCreateKeyExA(rootKey_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                             nullptr, &opened, nullptr);
  } else {
    status = RegOpenKeyExA(rootKey_, path.c_str(), 0, access_, &opened);
  }
  lastOpenStatus_ = status;
  if (status != ERROR_SUCCESS) return false;
  currentKey_ = opened;
  return true;
}

std::string TRegistry::ReadString(const std::string& name) {
  if (currentKey_ == nullptr || HasZero(name)) ThrowGetFailed(name);
  DWORD type = REG_NONE;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND || (status == ERROR_SUCCESS && size == 0)) return {};
  if (status != ERROR_SUCCESS) ThrowGetFailed(name);
  if (!IsStringType(type)) ThrowInvalidType(name);
  // Another writer may grow the value between the size query and the read: take the size
  // that the failed read reports and read again; the buffer never shrinks, so it settles.
  std::vector<char> data;
  for (int attempt = 0; attempt < 8; ++attempt) {
    data.resize(std::max<std::size_t>(data.size(), size));
    size = static_cast<DWORD>(data.size());
    status = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &size);
    if (status != ERROR_MORE_DATA) break;
  }
  if (status != ERROR_SUCCESS) ThrowGetFailed(name);
  if (!IsStringType(type)) ThrowInvalidType(name);
  return TextOf(data, size);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  // A zero inside the text would be stored but never read back: refuse rather than lose data.
  const bool storable = currentKey_ != nullptr && !HasZero(name) && !HasZero(value) &&
                        value.size() < static_cast<std::size_t>(MAXDWORD);
  const LSTATUS status =
      storable ? RegSetValueExA(currentKey_, name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1))
               : ERROR_INVALID_PARAMETER;
  if (status != ERROR_SUCCESS) throw ERegistryException("Failed to set data for '" + name + "'");
}

bool TRegistry::DeleteValue(const std::string& name) {
  return currentKey_ != nullptr && !HasZero(name) && RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

void TRegistry::CloseKey() {
  if (currentKey_ == nullptr) return;
  RegCloseKey(currentKey_);
  currentKey_ = nullptr;
}
