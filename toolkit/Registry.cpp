#include "toolkit/Registry.h"

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string path;
  if (!key.empty() && key[0] == '\\') {
    path = key.substr(1);
  } else if (key_ && !currentPath_.empty()) {
    path = key.empty() ? currentPath_ : currentPath_ + "\\" + key;
  } else {
    path = key;
  }
  const RegKeyId opened = Sys().OpenRegistryKey(RootKey, path, canCreate);
  if (!opened) return false;
  CloseKey();
  key_ = opened;
  currentPath_ = path;
  return true;
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
