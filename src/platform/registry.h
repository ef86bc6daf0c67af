// The registry port: reading a value, raw, from a key opened for reading only. Every operation that
// cannot be done raises PlatformError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tassefiche {

// A predefined root key, as the 32-bit handle value that the platform gives it.
using RegistryRoot = std::uint32_t;
inline constexpr RegistryRoot kHkeyLocalMachine = 0x80000002;

// Value types, with the numbers the platform gives them.
enum RegistryType : std::uint32_t {
  kRegSz = 1,        // text
  kRegExpandSz = 2,  // text with %NAME% references to the environment
  kRegBinary = 3,
  kRegDword = 4,  // 32-bit number, least significant byte first
  kRegMultiSz = 7,
};

struct RegistryData {
  std::uint32_t type = 0;
  // The bytes stored; a text's terminating NUL is among them when it was stored with one.
  std::vector<std::uint8_t> bytes;
};

class Registry {
 public:
  // An open key; 0 is no key.
  using Key = std::uintptr_t;

  virtual ~Registry() = default;
  // Opens the key at `path` below `root` for reading only (nothing more is ever asked, so that a
  // user without rights on the key reads it all the same).
  virtual Key OpenKey(RegistryRoot root, std::wstring_view path) = 0;
  // Reads the value `name` of an open key into a buffer of `capacity` bytes; fails when the value
  // is missing or holds more bytes than that.
  virtual RegistryData QueryValue(Key key, std::wstring_view name, std::size_t capacity) = 0;
  // Closes an open key; closing no key (0) does nothing.
  virtual void CloseKey(Key key) = 0;
  // The text of an expandable value with each %NAME% of the environment replaced by its value;
  // a name that the environment lacks stays as it is.
  virtual std::wstring ExpandEnvironment(std::wstring_view text) = 0;
};

}  // namespace tassefiche
