// A registry value of the test prefix that a test changes or removes, put back as it was (or
// removed again, with the key the test created for it) when the test ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tassefiche::e2e {

class SavedRegistryValue {
 public:
  SavedRegistryValue(HKEY root, std::wstring key, std::wstring name);
  ~SavedRegistryValue();
  SavedRegistryValue(const SavedRegistryValue&) = delete;
  SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

  void SetText(const std::wstring& text, DWORD type = REG_SZ) const;
  void Set(DWORD type, const std::vector<std::uint8_t>& bytes) const;
  void Remove() const;

 private:
  struct Stored {
    DWORD type = 0;
    std::vector<std::uint8_t> bytes;
  };
  HKEY root_;
  std::wstring key_;
  std::wstring name_;
  bool key_existed_ = false;
  std::optional<Stored> before_;
};

}  // namespace tassefiche::e2e
