// TRegistry: one open key under a root, reading and writing string values.
// The open key is owned and closed with the object; the root key is borrowed.
#pragma once
#include <windows.h>

#include <string>

#include "framework/object.h"

class TRegistry : public TObject {
public:
  TRegistry();
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY key) { rootKey_ = key; }
  // Rights asked for by the next OpenKey.
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM access) { access_ = access; }
  // nullptr while no key is open.
  HKEY CurrentKey() const { return currentKey_; }

  // Closes the key open before; false when the key cannot be opened (or created).
  bool OpenKey(const std::string& key, bool canCreate);
  // Why the last OpenKey failed (ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND, ...); 0 after success.
  LSTATUS LastOpenStatus() const { return lastOpenStatus_; }
  // "" for a missing or empty value; text up to its first zero otherwise.
  std::string ReadString(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  // False when the value cannot be removed (missing, or the key lacks the right).
  bool DeleteValue(const std::string& name);
  void CloseKey();

private:
  HKEY rootKey_ = HKEY_CURRENT_USER;
  REGSAM access_ = KEY_ALL_ACCESS;
  HKEY currentKey_ = nullptr;
  LSTATUS lastOpenStatus_ = ERROR_SUCCESS;
};
