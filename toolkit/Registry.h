// Access to the system registry, one key at a time.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "toolkit/SystemPort.h"
#include "toolkit/Types.h"

class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TRegistry {
 public:
  TRegistry() = default;
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  TRegRoot RootKey = HKEY_CURRENT_USER;
  const std::string& CurrentPath() const { return currentPath_; }

  // A path without a leading backslash is taken below the open key, if any, else below the root.
  bool OpenKey(const std::string& key, bool canCreate);
  // Opens an existing key for reading only; values cannot be written through it.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  // A missing value, or no open key, reads as empty text; a value of another type throws.
  std::string ReadString(const std::string& name);
  // Throws when the value is missing, of another type, or no key is open.
  std::int32_t ReadInteger(const std::string& name);
  // Throws when no key is open or the value cannot be written.
  void WriteString(const std::string& name, const std::string& value);

 private:
  std::string PathOf(const std::string& key) const;
  bool Opened(RegKeyId opened, const std::string& path);
  RegKeyId key_ = 0;
  std::string currentPath_;
};
