// The version record each tool carries.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/launch.h"

namespace tools::e2e {
namespace {

std::wstring Value(const std::vector<char>& record, const wchar_t* name) {
  void* text = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040C04B0\\") + name;
  if (VerQueryValueW(record.data(), key.c_str(), &text, &length) == 0 || length == 0) return {};
  return {static_cast<const wchar_t*>(text), length - 1};
}

void ExpectRecord(const std::filesystem::path& exe, const std::wstring& description) {
  const std::wstring path = exe.wstring();
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_NE(size, 0u) << "GetFileVersionInfoSizeW: " << GetLastError();
  std::vector<char> record(size);
  ASSERT_NE(GetFileVersionInfoW(path.c_str(), 0, size, record.data()), 0);

  void* fixed = nullptr;
  UINT length = 0;
  ASSERT_NE(VerQueryValueW(record.data(), L"\\", &fixed, &length), 0);
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  EXPECT_EQ(info->dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(info->dwFileVersionLS, 0x00000000u);

  void* translation = nullptr;
  ASSERT_NE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &translation, &length), 0);
  const auto* words = static_cast<const WORD*>(translation);
  EXPECT_EQ(words[0], 0x040C);
  EXPECT_EQ(words[1], 1200);

  EXPECT_EQ(Value(record, L"CompanyName"), L"Tassefiche");
  EXPECT_EQ(Value(record, L"LegalCopyright"), L"Tassefiche");
  EXPECT_EQ(Value(record, L"FileVersion"), L"1.1.0.0");
  EXPECT_EQ(Value(record, L"FileDescription"), description);
}

TEST(VersionRecord, FrenchWithTheProductsNameAndVersion) {
  ExpectRecord(CompressExe(), L"Compression de fichiers au format SZDD");
  // Wine answers a module named expand.exe with its own built-in one: read a copy.
  Scratch scratch;
  const std::filesystem::path copy = scratch.path() / L"EXPAND-COPIE.EXE";
  std::filesystem::copy_file(ExpandExe(), copy);
  ExpectRecord(copy, L"Décompression de fichiers SZDD et KWAJ");
}

}  // namespace
}  // namespace tools::e2e
