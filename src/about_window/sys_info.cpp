// The system-information launcher: the tool's place is read from two registry values, the second
// one a fallback for the first, then from the platform's system folder; the tool is started by its
// full path, never by a search along its command line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "about_window/frm_about.h"
#include "app/module1.h"
#include "app/msg_box.h"
#include "platform/failure_styles.h"

namespace tassefiche {

namespace {

constexpr std::wstring_view kInfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::wstring_view kLocationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::wstring_view kToolName = L"MSINFO32.EXE";
constexpr std::size_t kValueBufferBytes = 1024;

// The whole UTF-16 characters of a text value, up to its first NUL (its terminating one, when it
// was stored with one).
std::wstring TextOf(const RegistryData& value) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
    const auto c = static_cast<wchar_t>(value.bytes[i] | (value.bytes[i + 1] << 8));
    if (c == L'\0') break;
    text += c;
  }
  return text;
}

// A 32-bit number, least significant byte first; missing bytes count as zeros.
std::wstring NumberOf(const RegistryData& value) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4 && i < value.bytes.size(); ++i)
    number |= static_cast<std::uint32_t>(value.bytes[i]) << (8 * i);
  return std::to_wstring(number);
}

}  // namespace

void FrmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

// Failure block: whatever fails, or a tool found nowhere, ends in the one message. The first value
// is launched as read; the second names the tool's folder, which must hold it; when neither value
// can be read, the tool is looked for in the system folder.
void FrmAbout::StartSysInfo() {
  WithFailureBlock(
      [&] {
        const auto tool_in = [&](const std::wstring& folder) {
          std::wstring tool = AddBackslash(folder) + std::wstring(kToolName);
          if (platform_.files.NormalFileName(tool).empty()) GoToFailureBlock("no tool there");
          return tool;
        };
        std::wstring tool_path;
        if (!GetKeyValue(kHkeyLocalMachine, kInfoKey, L"PATH", tool_path)) {
          if (GetKeyValue(kHkeyLocalMachine, kLocationKey, L"MSINFO", tool_path)) {
            tool_path = tool_in(tool_path);
          } else {
            tool_path = tool_in(platform_.files.SystemFolder());
          }
        }
        if (tool_path.empty()) GoToFailureBlock("an empty tool path");
        // By its full path, and quoted, so that a path with blanks starts this tool and no other.
        platform_.processes.Launch(tool_path, L"\"" + tool_path + L"\"", WindowStyle::kNormalFocus);
      },
      [&] { MsgBox(platform_.dialogs, L"Information Systeme introuvable !", kMsgOkOnly); });
}

// The key is closed whatever happened, also after a failed open (closing no key does nothing).
bool FrmAbout::GetKeyValue(RegistryRoot KeyRoot, std::wstring_view KeyName,
                           std::wstring_view SubKeyRef, std::wstring& KeyVal) {
  Registry& registry = platform_.registry;
  Registry::Key key = 0;
  std::optional<RegistryData> value;
  EndingSilentlyOnFailure([&] {
    key = registry.OpenKey(KeyRoot, KeyName);
    value = registry.QueryValue(key, SubKeyRef, kValueBufferBytes);
  });
  registry.CloseKey(key);

  // A value of no bytes cannot be read as anything: it counts as missing.
  if (!value || value->bytes.empty()) {
    KeyVal.clear();
    return false;
  }
  switch (value->type) {
    case kRegSz:
      KeyVal = TextOf(*value);
      break;
    case kRegExpandSz:
      KeyVal = registry.ExpandEnvironment(TextOf(*value));
      break;
    case kRegDword:
      KeyVal = NumberOf(*value);
      break;
    default:
      break;  // KeyVal keeps the text it held
  }
  return true;
}

}  // namespace tassefiche
