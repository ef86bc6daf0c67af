#include "platform/memory/memory_registry.h"

#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {

void MemoryRegistry::SetValue(RegistryRoot root, std::wstring_view path, std::wstring_view name,
                              RegistryData data) {
  keys_[{root, ToUpper(path)}][ToUpper(name)] = std::move(data);
}

void MemoryRegistry::SetText(RegistryRoot root, std::wstring_view path, std::wstring_view name,
                             std::wstring_view text, std::uint32_t type, bool with_nul) {
  RegistryData data{type, {}};
  std::wstring stored(text);
  if (with_nul) stored += L'\0';
  for (const wchar_t c : stored) {
    data.bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    data.bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
  }
  SetValue(root, path, name, std::move(data));
}

void MemoryRegistry::RemoveValue(RegistryRoot root, std::wstring_view path,
                                 std::wstring_view name) {
  const auto key = keys_.find({root, ToUpper(path)});
  if (key != keys_.end()) key->second.erase(ToUpper(name));
}

Registry::Key MemoryRegistry::OpenKey(RegistryRoot root, std::wstring_view path) {
  const KeyPath wanted{root, ToUpper(path)};
  if (!keys_.contains(wanted)) throw PlatformError("registry key not found");
  const Key key = next_handle_++;
  handles_[key] = wanted;
  ++open_keys;
  return key;
}

RegistryData MemoryRegistry::QueryValue(Key key, std::wstring_view name, std::size_t capacity) {
  const auto handle = handles_.find(key);
  if (handle == handles_.end()) throw PlatformError("invalid registry key");
  const Values& values = keys_.at(handle->second);
  const auto value = values.find(ToUpper(name));
  if (value == values.end()) throw PlatformError("registry value not found");
  if (value->second.bytes.size() > capacity) throw PlatformError("more data than the buffer holds");
  return value->second;
}

void MemoryRegistry::CloseKey(Key key) {
  if (handles_.erase(key) > 0) --open_keys;
}

// As the platform does: an unknown %NAME% is copied as it stands, and a lone "%" stays.
std::wstring MemoryRegistry::ExpandEnvironment(std::wstring_view text) {
  std::wstring expanded;
  std::size_t at = 0;
  for (;;) {
    const std::size_t open = text.find(L'%', at);
    const std::size_t close = open == std::wstring_view::npos ? open : text.find(L'%', open + 1);
    if (close == std::wstring_view::npos) break;
    expanded += text.substr(at, open - at);
    const auto found = environment.find(ToUpper(text.substr(open + 1, close - open - 1)));
    expanded += found != environment.end() ? std::wstring_view(found->second)
                                           : text.substr(open, close - open + 1);
    at = close + 1;
  }
  return expanded + std::wstring(text.substr(at));
}

}  // namespace tassefiche
