// The MSI in a fresh Wine prefix, in the states that msi_test.sh brings it to: installed silently
// (one product of our upgrade code, its uninstall entry and icon, a Start menu shortcut that starts
// the program in the user's documents with its tools beside it, the file manager's "Ouvrir avec
// Tassefiche" for files, folders and drives, which starts the program on the path); replaced by a
// later version of the same upgrade code; removed silently (nothing of ours left that Windows can
// see).
#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "main_window_controls.h"
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

// The keys of the context menu's entry, for every file, every folder and every drive.
constexpr const wchar_t* kMenuKeys[] = {L"*\\shell\\Tassefiche", L"Directory\\shell\\Tassefiche",
                                        L"Drive\\shell\\Tassefiche"};

bool ClassKeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

std::wstring ClassText(const std::wstring& key, const wchar_t* name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring text = RegistryText(opened, name);
  RegCloseKey(opened);
  return text;
}

// What the file manager starts for the entry on `path`: the program, and the rest of the command
// with the path in the place of "%1".
struct MenuCommand {
  fs::path program;
  std::wstring arguments;
};

MenuCommand CommandFor(const std::wstring& key, const fs::path& path) {
  const std::wstring command = ClassText(key + L"\\command", nullptr);
  if (!command.starts_with(L'"') || command.find(L'"', 1) == std::wstring::npos) {
    ADD_FAILURE() << "the program is not quoted";
    return {};
  }
  const std::size_t end = command.find(L'"', 1);
  std::wstring arguments = command.substr(end + 1);
  const std::size_t marker = arguments.find(L"%1");
  if (marker == std::wstring::npos) {
    ADD_FAILURE() << "no %1";
    return {};
  }
  arguments.replace(marker, 2, path.wstring());
  return {command.substr(1, end - 1), arguments};
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

// The entry names itself and carries the program's icon; its command starts the installed program
// on a file, ready to compress it with one click, on a folder, and on a drive.
TEST_F(InstalledByMsi, ItsContextMenuEntryOpensTheProgramOnAFileAFolderOrADrive) {
  const fs::path program = InstallFolder() / L"Tassefiche.exe";
  for (const std::wstring key : kMenuKeys) {
    SCOPED_TRACE(std::string(fs::path(key).string()));
    EXPECT_EQ(ClassText(key, nullptr), L"Ouvrir avec Tassefiche");
    EXPECT_EQ(Comparable(ClassText(key, L"Icon")), Comparable(L"\"" + program.wstring() + L"\",0"));
    EXPECT_EQ(Comparable(CommandFor(key, L"C:\\").program), Comparable(program));
  }

  const fs::path folder = KnownFolder(FOLDERID_Documents) / L"Menu contextuel";
  fs::create_directories(folder);
  const fs::path file = folder / L"rapport annuel été.txt";
  std::ofstream(file, std::ios::binary) << std::string(3000, 'r');
  const MenuCommand on_file = CommandFor(kMenuKeys[0], file);
  {
    const e2e::RunningProgram running(on_file.program, InstallFolder(), on_file.arguments);
    ASSERT_TRUE(
        e2e::WaitFor([&] { return IsWindowEnabled(running.Control(e2e::kBtCompres)) != FALSE; }));
    EXPECT_EQ(running.SelectedFile(running.Control(e2e::kFichier1)), file.filename().wstring());
    EXPECT_EQ(e2e::TextOf(running.Control(e2e::kLabel2)), L" 1 Fichiers");
    running.Click(running.Control(e2e::kBtCompres));
    EXPECT_TRUE(e2e::WaitFor([&] { return Entries(folder).size() == 2; }));
  }
  // On a folder or a drive, the panes show what they show for a program started there.
  for (const auto& [key, path] :
       {std::pair{kMenuKeys[1], folder}, std::pair{kMenuKeys[2], fs::path(L"C:\\")}}) {
    SCOPED_TRACE(path.string());
    std::vector<std::wstring> started_there;
    {
      const e2e::RunningProgram running(program, path);
      started_there = e2e::RunningProgram::ListBoxTexts(running.Control(e2e::kRepertoire1));
    }
    const MenuCommand on_folder = CommandFor(key, path);
    const e2e::RunningProgram running(on_folder.program, InstallFolder(), on_folder.arguments);
    EXPECT_EQ(e2e::RunningProgram::ListBoxTexts(running.Control(e2e::kRepertoire1)), started_there);
    EXPECT_EQ(e2e::RunningProgram::ListBoxTexts(running.Control(e2e::kRepertoire2)), started_there);
    EXPECT_TRUE(running.NoBoxShows());
  }
  fs::remove_all(folder);
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
  for (const std::wstring key : kMenuKeys)
    EXPECT_EQ(ClassText(key, nullptr), L"Ouvrir avec Tassefiche");
  EXPECT_EQ(Entries(InstallFolder()), ShippedFiles());
}

class RemovedByMsi : public MsiPhase {
 protected:
  RemovedByMsi() : MsiPhase("removed") {}
};

TEST_F(RemovedByMsi, LeavesNoProductEntryShortcutMenuEntryOrFolder) {
  EXPECT_TRUE(RelatedProducts().empty());
  EXPECT_EQ(MsiQueryProductStateW(kProductCode), INSTALLSTATE_UNKNOWN);
  EXPECT_TRUE(OurUninstallEntries().empty());
  EXPECT_TRUE(StartMenuShortcuts().empty());
  EXPECT_FALSE(fs::exists(InstallFolder()));
  for (const std::wstring key : kMenuKeys)
    EXPECT_FALSE(ClassKeyExists(key)) << std::string(fs::path(key).string());
}

}  // namespace
}  // namespace tassefiche::package
