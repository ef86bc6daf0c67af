// The registry port over the wide registry calls; keys are opened for reading only.
#pragma once

#include "platform/registry.h"

namespace tassefiche {

class Win32Registry : public Registry {
 public:
  Key OpenKey(RegistryRoot root, std::wstring_view path) override;
  RegistryData QueryValue(Key key, std::wstring_view name, std::size_t capacity) override;
  void CloseKey(Key key) override;
  std::wstring ExpandEnvironment(std::wstring_view text) override;
};

}  // namespace tassefiche
