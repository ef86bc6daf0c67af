// The MSI in a fresh Wine prefix, in the two states that msi_test.sh brings it to: installed
// silently (one product of our upgrade code, its uninstall entry and icon, a Start menu shortcut
// that starts the program in the user's documents with its tools beside it), then removed silently
// (nothing of ours left that Windows can see).
#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "package_checks.h"
#include "running_program.h"

namespace tassefiche::package {
namespace {

namespace fs = std::filesystem;

// Both from the project's version and upgrade code (packaging/CMakeLists.txt).
constexpr const wchar_t* kUpgradeCode = L"{" TASSEFICHE_UPGRADE_CODE "}";
constexpr const wchar_t* kProductCode = L"{" TASSEFICHE_PRODUCT_CODE "}";
constexpr const wchar_t* kUninstallKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{" TASSEFICHE_PRODUCT_CODE "}";

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  fs::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

fs::path InstallFolder() { return KnownFolder(FOLDERID_ProgramFiles) / L"Tassefiche"; }

// Paths as Windows compares them: without case, without a final separator.
std::wstring Comparable(const fs::path& path) {
  std::wstring text = path.wstring();
  while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// A per-machine install puts its shortcut in all users' Programs folder; Wine 8 puts it in the
// user's own. Either counts, but there must be exactly one.
std::vector<fs::path> StartMenuShortcuts() {
  std::vector<fs::path> found;
  for (const KNOWNFOLDERID* id : {&FOLDERID_CommonPrograms, &FOLDERID_Programs}) {
    const fs::path link = KnownFolder(*id) / L"Tassefiche.lnk";
    if (fs::exists(link)) found.push_back(link);
  }
  return found;
}

std::vector<std::wstring> RelatedProducts() {
  std::vector<std::wstring> products;
  wchar_t product[39] = {};
  for (DWORD index = 0; MsiEnumRelatedProductsW(kUpgradeCode, 0, index, product) == ERROR_SUCCESS;
       ++index) {
    products.emplace_back(product);
  }
  return products;
}

std::wstring ProductInfo(const wchar_t* property) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  if (MsiGetProductInfoW(kProductCode, property, value, &length) != ERROR_SUCCESS) return {};
  return value;
}

std::optional<std::wstring> UninstallValue(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t value[1024] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  const LSTATUS status =
      RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::wstring();
  return std::wstring(value);
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MsiPhase : public ::testing::Test {
 protected:
  explicit MsiPhase(const char* phase) : phase_(phase) {}
  void SetUp() override {
    const char* now = std::getenv("TASSEFICHE_MSI_PHASE");
    if (now == nullptr || phase_ != now) GTEST_SKIP() << "run by tests/package/msi_test.sh";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  }
  void TearDown() override { CoUninitialize(); }

 private:
  std::string phase_;
};

class InstalledByMsi : public MsiPhase {
 protected:
  InstalledByMsi() : MsiPhase("installed") {}
};

class RemovedByMsi : public MsiPhase {
 protected:
  RemovedByMsi() : MsiPhase("removed") {}
};

TEST_F(InstalledByMsi, IsOneProductForAllUsersWithItsUninstallEntryAndIcon) {
  EXPECT_EQ(RelatedProducts(), std::vector<std::wstring>{kProductCode});
  EXPECT_EQ(MsiQueryProductStateW(kProductCode), INSTALLSTATE_DEFAULT);
  EXPECT_EQ(ProductInfo(INSTALLPROPERTY_VERSIONSTRING), L"" TASSEFICHE_VERSION);
  EXPECT_EQ(ProductInfo(INSTALLPROPERTY_INSTALLEDPRODUCTNAME), L"Tassefiche");
  EXPECT_EQ(ProductInfo(INSTALLPROPERTY_PUBLISHER), L"Tassefiche");
  EXPECT_EQ(ProductInfo(INSTALLPROPERTY_ASSIGNMENTTYPE), L"1");  // per machine

  // The installed programs list shows the program's own icon, kept by the installer.
  const fs::path icon = ProductInfo(INSTALLPROPERTY_PRODUCTICON);
  ASSERT_FALSE(icon.empty());
  EXPECT_EQ(ReadAll(icon), ReadAll(e2e::WindowsPath(TASSEFICHE_ICON_FILE)));

  EXPECT_EQ(UninstallValue(L"DisplayName"), L"Tassefiche");
  EXPECT_EQ(UninstallValue(L"DisplayVersion"), L"" TASSEFICHE_VERSION);
  EXPECT_EQ(UninstallValue(L"Publisher"), L"Tassefiche");
  const std::wstring uninstall = UninstallValue(L"UninstallString").value_or(L"");
  EXPECT_NE(Comparable(uninstall).find(Comparable(std::wstring(L"/X") + kProductCode)),
            std::wstring::npos)
      << uninstall;
}

TEST_F(InstalledByMsi, ItsShortcutStartsTheProgramInTheDocumentsWithItsToolsBesideIt) {
  const std::vector<fs::path> shortcuts = StartMenuShortcuts();
  ASSERT_EQ(shortcuts.size(), 1u);
  const Shortcut shortcut = ReadShortcut(shortcuts.front());
  EXPECT_EQ(Comparable(shortcut.target), Comparable(InstallFolder() / L"Tassefiche.exe"));
  EXPECT_EQ(Comparable(shortcut.working_folder), Comparable(KnownFolder(FOLDERID_Documents)));
  EXPECT_EQ(shortcut.description, L"Compresser et décompresser des fichiers");

  ExpectShippedFolder(shortcut.target.parent_path());
  ExpectCompressionThroughTheWindow(shortcut.target, shortcut.working_folder);
}

TEST_F(RemovedByMsi, LeavesNoProductEntryShortcutOrFolder) {
  EXPECT_TRUE(RelatedProducts().empty());
  EXPECT_EQ(MsiQueryProductStateW(kProductCode), INSTALLSTATE_UNKNOWN);
  EXPECT_EQ(UninstallValue(L"DisplayName"), std::nullopt);
  EXPECT_TRUE(StartMenuShortcuts().empty());
  EXPECT_FALSE(fs::exists(InstallFolder()));
}

}  // namespace
}  // namespace tassefiche::package
