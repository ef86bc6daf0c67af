// The tools must start on a bare Windows: they may import only the system's own libraries. (Under
// Wine a missing one could go unnoticed, since Wine provides many libraries of its own.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/launch.h"

namespace tools::e2e {
namespace {

template <typename T>
T At(const Bytes& image, std::size_t offset) {
  if (offset > image.size() || image.size() - offset < sizeof(T))
    throw std::runtime_error("bad PE");
  T value;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return value;
}

// Names of the libraries in a PE32+ image's import table, read from the file itself.
std::vector<std::string> ImportedLibraries(const Bytes& image) {
  const auto dos = At<IMAGE_DOS_HEADER>(image, 0);
  const auto nt_offset = static_cast<std::size_t>(dos.e_lfanew);
  const auto nt = At<IMAGE_NT_HEADERS64>(image, nt_offset);
  const std::size_t sections =
      nt_offset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
  auto file_offset = [&](DWORD rva) -> std::size_t {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      const auto section =
          At<IMAGE_SECTION_HEADER>(image, sections + i * sizeof(IMAGE_SECTION_HEADER));
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
        return rva - section.VirtualAddress + section.PointerToRawData;
      }
    }
    throw std::runtime_error("RVA outside the sections");
  };
  std::vector<std::string> names;
  const DWORD imports =
      nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (std::size_t entry = file_offset(imports);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(image, entry);
    if (descriptor.Name == 0) break;
    const std::size_t name = file_offset(descriptor.Name);
    const auto end = std::find(image.begin() + static_cast<std::ptrdiff_t>(name), image.end(), 0);
    std::string library(image.begin() + static_cast<std::ptrdiff_t>(name), end);
    std::transform(library.begin(), library.end(), library.begin(), [](char c) {
      return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    names.push_back(library);
  }
  return names;
}

TEST(Imports, OnlyTheSystemsOwnLibraries) {
  const std::vector<std::string> system = {"kernel32.dll", "msvcrt.dll",  "advapi32.dll",
                                           "user32.dll",   "shell32.dll", "version.dll"};
  for (const auto& exe : {CompressExe(), ExpandExe()}) {
    const std::vector<std::string> libraries = ImportedLibraries(ReadBytes(exe));
    EXPECT_FALSE(libraries.empty());
    for (const std::string& library : libraries) {
      EXPECT_NE(std::find(system.begin(), system.end(), library), system.end())
          << exe.string() << " needs " << library;
    }
  }
}

}  // namespace
}  // namespace tools::e2e
