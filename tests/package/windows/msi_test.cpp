// The MSI in a fresh Wine prefix, in the states that msi_test.sh brings it to: installed silently
// (one product of our upgrade code, its uninstall entry and icon, a Start menu shortcut that starts
// the program in the user's documents with its tools beside it); replaced by a later version of the
// same upgrade code; removed silently (nothing of ours left that Windows can see).
#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "package_checks.h"
#include "running_program.h"

namespace tassefiche::package {
namespace {

namespace fs = std::filesystem;

// Both from the project's version and upgrade code (cmake/Version.cmake).
constexpr const wchar_t* kUpgradeCode = L"{" TASSEFICHE_UPGRADE_CODE "}";
constexpr const wchar_t* kProductCode = L"{" TASSEFICHE_PRODUCT_CODE "}";
constexpr const wchar_t* kUninstallKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  fs::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
  CoTaskMemFree(path);
  return folder;
}

fs::path InstallFolder() {
  return KnownFolder(FOLDERID_ProgramFiles) / L"Tassefiche";
}

// Paths as Windows compares them: without case, without a final separator.
std::wstring Comparable(const fs::path& path) {
  std::wstring text = path.wstring();
  while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/'))
    text.pop_back();
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

std::wstring ProductInfo(const std::wstring& product, const wchar_t* property) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  if (MsiGetProductInfoW(product.c_str(), property, value, &length) != ERROR_SUCCESS) return {};
  return value;
}

std::wstring RegistryText(HKEY key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return value;
}

// The entries of the installed programs list that show our name, by the key that holds each.
struct UninstallEntry {
  std::wstring key;
  std::wstring version;
  std::wstring publisher;
  std::wstring uninstall;
};

std::vector<UninstallEntry> OurUninstallEntries() {
  std::vector<UninstallEntry> entries;
  HKEY all = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &all) != ERROR_SUCCESS) {
    return entries;
  }
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(all, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(all, name, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    if (RegistryText(key, L"DisplayName") == L"Tassefiche") {
      entries.push_back({name, RegistryText(key, L"DisplayVersion"),
                         RegistryText(key, L"Publisher"), RegistryText(key, L"UninstallString")});
    }
    RegCloseKey(key);
  }
  RegCloseKey(all);
  return entries;
}

std::wstring Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::wstring() : fs::path(value).wstring();
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

// One product of our upgrade code, installed for all users at `version`, with one entry in the
// installed programs list that removes it, and the program's own icon.
void ExpectOneProduct(const std::wstring& product, const std::wstring& version) {
  EXPECT_EQ(RelatedProducts(), std::vector<std::wstring>{product});
  EXPECT_EQ(MsiQueryProductStateW(product.c_str()), INSTALLSTATE_DEFAULT);
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_VERSIONSTRING), version);
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME), L"Tassefiche");
  EXPECT_EQ(ProductInfo(product, INSTALLPROPERTY_PUBLISHER), L"Tassefiche");
  // Registered for the machine (Wine answers AssignmentType with 0 whatever the context).
  wchar_t in_machine[64] = {};
  DWORD length = 64;
  EXPECT_EQ(MsiGetProductInfoExW(product.c_str(), nullptr, MSIINSTALLCONTEXT_MACHINE,
                                 INSTALLPROPERTY_VERSIONSTRING, in_machine, &length),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(in_machine), version);

  const fs::path icon = ProductInfo(product, INSTALLPROPERTY_PRODUCTICON);
  ASSERT_FALSE(icon.empty());
  EXPECT_EQ(ReadAll(icon), ReadAll(e2e::WindowsPath(TASSEFICHE_ICON_FILE)));

  const std::vector<UninstallEntry> entries = OurUninstallEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].key, product);
  EXPECT_EQ(entries[0].version, version);
  EXPECT_EQ(entries[0].publisher, L"Tassefiche");
  EXPECT_NE(Comparable(entries[0].uninstall).find(Comparable(L"/X" + product)), std::wstring::npos)
      << entries[0].uninstall;
}

// Exactly one Start menu shortcut, to the installed program, starting it in the documents.
Shortcut TheShortcut() {
  const std::vector<fs::path> shortcuts = StartMenuShortcuts();
  if (shortcuts.size() != 1) {
    ADD_FAILURE() << shortcuts.size() << " Start menu shortcuts";
    return {};
  }
  const Shortcut shortcut = ReadShortcut(shortcuts.front());
  EXPECT_EQ(Comparable(shortcut.target), Comparable(InstallFolder() / L"Tassefiche.exe"));
  EXPECT_EQ(Comparable(shortcut.working_folder), Comparable(KnownFolder(FOLDERID_Documents)));
  EXPECT_EQ(shortcut.description, L"Compresser et décompresser des fichiers");
  return shortcut;
}

class InstalledByMsi : public MsiPhase {
 protected:
  InstalledByMsi() : MsiPhase("installed") {}
};

TEST_F(InstalledByMsi, IsOneProductForAllUsersWithItsUninstallEntryAndIcon) {
  ExpectOneProduct(kProductCode, L"" TASSEFICHE_VERSION);
}

TEST_F(InstalledByMsi, ItsShortcutStartsTheProgramInTheDocumentsWithItsToolsBesideIt) {
  const Shortcut shortcut = TheShortcut();
  ASSERT_FALSE(shortcut.target.empty());
  ExpectShippedFolder(shortcut.target.parent_path());
  ExpectCompressionThroughTheWindow(shortcut.target, shortcut.working_folder);
}

// A later version, built by msi_test.sh from the same WiX source with the same upgrade code.
class UpgradedByMsi : public MsiPhase {
 protected:
  UpgradedByMsi() : MsiPhase("upgraded") {}
};

TEST_F(UpgradedByMsi, TheLaterVersionReplacedThisOne) {
  EXPECT_EQ(MsiQueryProductStateW(kProductCode), INSTALLSTATE_UNKNOWN);
  ExpectOneProduct(Environment("TASSEFICHE_LATER_PRODUCT"),
                   Environment("TASSEFICHE_LATER_VERSION"));
  TheShortcut();
  EXPECT_EQ(Entries(InstallFolder()), ShippedFiles());
}

class RemovedByMsi : public MsiPhase {
 protected:
  RemovedByMsi() : MsiPhase("removed") {}
};

TEST_F(RemovedByMsi, LeavesNoProductEntryShortcutOrFolder) {
  EXPECT_TRUE(RelatedProducts().empty());
  EXPECT_EQ(MsiQueryProductStateW(kProductCode), INSTALLSTATE_UNKNOWN);
  EXPECT_TRUE(OurUninstallEntries().empty());
  EXPECT_TRUE(StartMenuShortcuts().empty());
  EXPECT_FALSE(fs::exists(InstallFolder()));
}

}  // namespace
}  // namespace tassefiche::package
