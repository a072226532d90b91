#include "toolkit/Registry.h"

std::string TRegistry::PathOf(const std::string& key) const {
  if (!key.empty() && key[0] == '\\') return key.substr(1);
  if (key_ && !currentPath_.empty()) return key.empty() ? currentPath_ : currentPath_ + "\\" + key;
  return key;
}

bool TRegistry::Opened(RegKeyId opened, const std::string& path) {
  if (!opened) return false;
  CloseKey();
  key_ = opened;
  currentPath_ = path;
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  const std::string path = PathOf(key);
  return Opened(Sys().OpenRegistryKey(RootKey, path, canCreate), path);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  const std::string path = PathOf(key);
  return Opened(Sys().OpenRegistryKeyReadOnly(RootKey, path), path);
}

void TRegistry::CloseKey() {
  if (key_) Sys().CloseRegistryKey(key_);
  key_ = 0;
  currentPath_.clear();
}

std::string TRegistry::ReadString(const std::string& name) {
  if (!key_) return std::string();
  std::string value;
  switch (Sys().RegReadString(key_, name, value)) {
    case RegStatus::Ok:
      return value;
    case RegStatus::Missing:
      return std::string();
    case RegStatus::WrongType:
      throw ERegistryException("Invalid data type for '" + name + "'");
    case RegStatus::Failed:
      break;
  }
  throw ERegistryException("Failed to get data for '" + name + "'");
}

std::int32_t TRegistry::ReadInteger(const std::string& name) {
  if (!key_) throw ERegistryException("Failed to get data for '" + name + "'");
  std::int32_t value = 0;
  switch (Sys().RegReadInteger(key_, name, value)) {
    case RegStatus::Ok:
      return value;
    case RegStatus::WrongType:
      throw ERegistryException("Invalid data type for '" + name + "'");
    case RegStatus::Missing:
    case RegStatus::Failed:
      break;
  }
  throw ERegistryException("Failed to get data for '" + name + "'");
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!key_ || !Sys().RegWriteString(key_, name, value)) {
    throw ERegistryException("Failed to set data for '" + name + "'");
  }
}
