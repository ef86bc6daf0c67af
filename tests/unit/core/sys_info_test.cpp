// The system-information launcher over the in-memory platform: GetKeyValue on every kind of value,
// and StartSysInfo on every way the registry and the disk may lead to the tool, or not.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "about_window/frm_about.h"
#include "platform/memory/memory_platform.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::wstring_view kInfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::wstring_view kLocationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::wstring_view kCommonTool =
    L"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE";
constexpr std::wstring_view kCommonFolder =
    L"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

// The in-memory platform with a drive C: and its system folder, and the about window over it.
struct World {
  World() {
    platform.files.AddDrive(L'C', L"SYSTEME");
    platform.files.AddFolder(L"C:\\WINDOWS\\system32");
  }
  void SetText(std::wstring_view key, std::wstring_view name, std::wstring_view text) {
    platform.registry.SetText(kHkeyLocalMachine, key, name, text);
  }
  MemoryPlatform platform;
  FrmAbout about{platform.ports};
};

TEST(GetKeyValue, ReadsEachKindOfValueAndClosesItsKey) {
  World world;
  MemoryPlatform& platform = world.platform;
  platform.registry.environment[L"PROGRAMFILES"] = L"C:\\Program Files";
  const auto text = [](std::wstring_view chars, std::uint32_t type = kRegSz) {
    RegistryData data{type, {}};
    for (const wchar_t c : chars) {
      data.bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      data.bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return data;
  };
  struct Case {
    const char* what;
    std::optional<RegistryData> stored;  // std::nullopt: the value is missing
    bool found;
    std::wstring read;  // KeyVal afterwards; it held "avant" on entry
  };
  const std::vector<Case> cases = {
      {"text with its NUL", text(std::wstring(L"C:\\Outils\0", 10)), true, L"C:\\Outils"},
      {"text without a NUL", text(L"C:\\Outils"), true, L"C:\\Outils"},
      {"text ends at its first NUL", text(std::wstring(L"C:\\A\0B\0", 7)), true, L"C:\\A"},
      {"expandable text", text(std::wstring(L"%ProgramFiles%\\I %X%\0", 21), kRegExpandSz), true,
       L"C:\\Program Files\\I %X%"},
      {"number", RegistryData{kRegDword, {0x78, 0x56, 0x34, 0x12}}, true, L"305419896"},
      {"zero bytes", RegistryData{kRegSz, {}}, false, L""},
      {"other type", RegistryData{kRegBinary, {1, 2, 3}}, true, L"avant"},
      {"several texts", text(std::wstring(L"A\0B\0\0", 5), kRegMultiSz), true, L"avant"},
      {"1024 bytes", text(std::wstring(511, L'x') + L'\0'), true, std::wstring(511, L'x')},
      {"1026 bytes", text(std::wstring(512, L'x') + L'\0'), false, L""},
      {"missing value", std::nullopt, false, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform.registry.SetText(kHkeyLocalMachine, L"SOFTWARE\\Essai", L"Autre", L"x");
    platform.registry.RemoveValue(kHkeyLocalMachine, L"SOFTWARE\\Essai", L"Valeur");
    if (c.stored)
      platform.registry.SetValue(kHkeyLocalMachine, L"SOFTWARE\\Essai", L"Valeur", *c.stored);
    std::wstring value = L"avant";
    EXPECT_EQ(world.about.GetKeyValue(kHkeyLocalMachine, L"Software\\essai", L"VALEUR", value),
              c.found);
    EXPECT_EQ(value, c.read);
    EXPECT_EQ(platform.registry.open_keys, 0);
  }
  std::wstring value = L"avant";
  EXPECT_FALSE(world.about.GetKeyValue(kHkeyLocalMachine, L"SOFTWARE\\Absent", L"Valeur", value));
  EXPECT_EQ(value, L"");
  EXPECT_EQ(platform.registry.open_keys, 0);
}

// Each case sets up the registry and the disk; the tool is launched by its full path, quoted, in a
// normal window, or the one message is shown.
TEST(StartSysInfo, FindsTheToolOrSaysSo) {
  const std::wstring in_system = L"C:\\WINDOWS\\system32\\MSINFO32.EXE";
  struct Case {
    const char* what;
    std::function<void(World&)> set_up;
    std::wstring launched;  // empty: the message instead
  };
  const std::vector<Case> cases = {
      {"both values",
       [](World& w) {
         w.platform.files.AddFile(kCommonTool);
         w.SetText(kInfoKey, L"PATH", kCommonTool);
         w.SetText(kLocationKey, L"MSINFO", L"C:\\Ailleurs");
         w.platform.files.AddFile(L"C:\\Ailleurs\\MSINFO32.EXE");
       },
       std::wstring(kCommonTool)},
      {"second value, tool there",
       [](World& w) {
         w.platform.files.AddFile(kCommonTool);
         w.SetText(kLocationKey, L"MSINFO", kCommonFolder);
       },
       std::wstring(kCommonTool)},
      {"second value, tool hidden",
       [](World& w) {
         w.platform.files.AddFile(kCommonTool, kAttrArchive | kAttrHidden);
         w.SetText(kLocationKey, L"MSINFO", kCommonFolder);
       },
       L""},
      {"second value, no tool",
       [](World& w) {
         w.platform.files.AddFolder(kCommonFolder);
         w.SetText(kLocationKey, L"MSINFO", kCommonFolder);
       },
       L""},
      {"neither value, nothing in the system folder", [](World&) {}, L""},
      {"neither value, the tool in the system folder",
       [&](World& w) { w.platform.files.AddFile(in_system); }, in_system},
      {"keys without the values, the tool in the system folder",
       [&](World& w) {
         w.platform.files.AddFile(in_system);
         w.SetText(kInfoKey, L"Autre", L"x");
         w.SetText(kLocationKey, L"Autre", L"x");
       },
       in_system},
      {"first value names a missing file",
       [](World& w) {
         w.SetText(kInfoKey, L"PATH", L"C:\\Absent\\MSINFO32.EXE");
         w.platform.files.AddFile(kCommonTool);
         w.SetText(kLocationKey, L"MSINFO", kCommonFolder);
       },
       L""},
      {"first value of zero bytes, then the second",
       [](World& w) {
         w.platform.registry.SetValue(kHkeyLocalMachine, kInfoKey, L"PATH", {kRegSz, {}});
         w.platform.files.AddFile(kCommonTool);
         w.SetText(kLocationKey, L"MSINFO", kCommonFolder);
       },
       std::wstring(kCommonTool)},
      {"first value of another type",
       [&](World& w) {
         w.platform.registry.SetValue(kHkeyLocalMachine, kInfoKey, L"PATH", {kRegBinary, {1}});
         w.platform.files.AddFile(in_system);
       },
       L""},
      {"first value expandable",
       [](World& w) {
         w.platform.registry.environment[L"COMMONPROGRAMFILES"] =
             L"C:\\Program Files\\Common Files";
         w.platform.registry.SetText(
             kHkeyLocalMachine, kInfoKey, L"PATH",
             L"%CommonProgramFiles%\\Microsoft Shared\\MSInfo\\MSINFO32.EXE", kRegExpandSz);
         w.platform.files.AddFile(kCommonTool);
       },
       std::wstring(kCommonTool)},
      {"a decoy where an unquoted line would look first",
       [](World& w) {
         w.platform.files.AddFile(L"C:\\Program.exe");
         w.platform.files.AddFile(kCommonTool);
         w.SetText(kInfoKey, L"PATH", kCommonTool);
       },
       std::wstring(kCommonTool)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    World world;
    c.set_up(world);
    world.about.cmdSysInfo.Press();
    const MemoryPlatform& platform = world.platform;
    if (c.launched.empty()) {
      EXPECT_THAT(platform.processes.launched, IsEmpty());
      ASSERT_EQ(platform.dialogs.messages.size(), 1U);
      EXPECT_EQ(platform.dialogs.messages[0].text, L"Information Systeme introuvable !");
      EXPECT_EQ(platform.dialogs.messages[0].style, kMsgOkOnly);
      EXPECT_EQ(platform.dialogs.messages[0].title, L"Tassefiche");
    } else {
      EXPECT_THAT(platform.dialogs.messages, IsEmpty());
      ASSERT_EQ(platform.processes.launched.size(), 1U);
      const MemoryProcesses::Launched& launch = platform.processes.launched[0];
      EXPECT_EQ(launch.program, c.launched);
      EXPECT_EQ(launch.command_line, L"\"" + c.launched + L"\"");
      EXPECT_EQ(launch.style, WindowStyle::kNormalFocus);
    }
    EXPECT_EQ(platform.registry.open_keys, 0);
  }
}

}  // namespace
}  // namespace tassefiche
