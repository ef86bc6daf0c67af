// The about window: the program's icon, title, version and author lines, the maker's e-mail and web
// addresses and the donation picture as links, and three buttons: OK, the details box and the
// system-information tool. Loaded afresh at every opening, it keeps no state of its own.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/form.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "platform/simple_controls.h"

namespace tassefiche {

class FrmAbout : public Form {
 public:
  explicit FrmAbout(Platform& platform);

  void Form_Load();
  void cmdOK_Click();
  void Command1_Click();

  // The three links.
  void Image2_Click();
  void Label3_Click();
  void lblDisclaimer_Click();

  // The system-information tool.
  void cmdSysInfo_Click();
  void StartSysInfo();
  // Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` as text into `KeyVal`; true
  // when it was read. A text value ends at its first NUL; an expandable text is expanded; a number
  // is written in decimal; a value of another type leaves `KeyVal` as it was. A missing key or
  // value, one of more than 1024 bytes or one of no bytes gives false and an empty `KeyVal`.
  bool GetKeyValue(RegistryRoot KeyRoot, std::wstring_view KeyName, std::wstring_view SubKeyRef,
                   std::wstring& KeyVal);

 private:
  Platform& platform_;

 public:
  Image Image1{L"Image1"};
  Label lblTitle{L"lblTitle"};
  Label lblVersion{L"lblVersion"};
  Label lblDescription{L"lblDescription"};
  std::array<Line, 2> Line1{Line{L"Line1(0)"}, Line{L"Line1(1)"}};
  Label lblDisclaimer{L"lblDisclaimer"};
  Label Label3{L"Label3"};
  Label Label2{L"Label2"};
  Image Image2{L"Image2"};
  CommandButton cmdOK{L"cmdOK"};
  CommandButton Command1{L"Command1"};
  CommandButton cmdSysInfo{L"cmdSysInfo"};
};

}  // namespace tassefiche
