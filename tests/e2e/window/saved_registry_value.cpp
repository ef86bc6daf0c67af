#include "saved_registry_value.h"

#include <stdexcept>

namespace tassefiche::e2e {

SavedRegistryValue::SavedRegistryValue(HKEY root, std::wstring key, std::wstring name)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
  HKEY opened = nullptr;
  key_existed_ = RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
  if (!key_existed_) return;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(opened, name_.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    Stored stored{type, std::vector<std::uint8_t>(size)};
    RegQueryValueExW(opened, name_.c_str(), nullptr, &type, stored.bytes.data(), &size);
    stored.bytes.resize(size);
    before_ = std::move(stored);
  }
  RegCloseKey(opened);
}

SavedRegistryValue::~SavedRegistryValue() {
  if (before_) {
    Set(before_->type, before_->bytes);
  } else if (key_existed_) {
    Remove();
  } else {
    RegDeleteKeyExW(root_, key_.c_str(), 0, 0);
  }
}

void SavedRegistryValue::SetText(const std::wstring& text, DWORD type) const {
  const auto* first = reinterpret_cast<const std::uint8_t*>(text.c_str());
  Set(type, std::vector<std::uint8_t>(first, first + (text.size() + 1) * sizeof(wchar_t)));
}

void SavedRegistryValue::Set(DWORD type, const std::vector<std::uint8_t>& bytes) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("the registry key cannot be written");
  }
  RegSetValueExW(key, name_.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

void SavedRegistryValue::Remove() const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name_.c_str());
  RegCloseKey(key);
}

}  // namespace tassefiche::e2e
