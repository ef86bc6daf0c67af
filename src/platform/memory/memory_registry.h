// An in-memory registry with the semantics of the platform's: keys below root keys, found without
// regard to letter case; values with a raw type and bytes; a buffer too small for a value fails;
// the environment's %NAME% references of expandable texts. It counts the keys left open, so that a
// test sees that every key opened is closed.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/registry.h"

namespace tassefiche {

class MemoryRegistry : public Registry {
 public:
  // Set-up. Missing keys are created.
  void SetValue(RegistryRoot root, std::wstring_view path, std::wstring_view name,
                RegistryData data);
  // A text stored as the platform stores it (UTF-16, with its terminating NUL unless told not to).
  void SetText(RegistryRoot root, std::wstring_view path, std::wstring_view name,
               std::wstring_view text, std::uint32_t type = kRegSz, bool with_nul = true);
  void RemoveValue(RegistryRoot root, std::wstring_view path, std::wstring_view name);

  Key OpenKey(RegistryRoot root, std::wstring_view path) override;
  RegistryData QueryValue(Key key, std::wstring_view name, std::size_t capacity) override;
  void CloseKey(Key key) override;
  std::wstring ExpandEnvironment(std::wstring_view text) override;

  std::map<std::wstring, std::wstring> environment;  // names in upper case
  int open_keys = 0;

 private:
  using KeyPath = std::pair<RegistryRoot, std::wstring>;  // path in upper case
  using Values = std::map<std::wstring, RegistryData>;    // names in upper case

  std::map<KeyPath, Values> keys_;
  std::map<Key, KeyPath> handles_;
  Key next_handle_ = 0x100;
};

}  // namespace tassefiche
