#include "about_window/frm_about.h"

#include <string>
#include <string_view>

#include "about_window/frm_about_layout.h"
#include "about_window/maker.h"
#include "app/msg_box.h"

namespace tassefiche {

namespace {

// Eight lines joined by a carriage return alone; the first is a fixed text, not built from the
// version numbers.
constexpr std::wstring_view kDetails =
    L"Tassefiche : Version 1.1.0\r"
    L"\r"
    L"Auteur : " TASSEFICHE_AUTHOR_LINE L"\r"
    L"E-Mail : " TASSEFICHE_CONTACT_MAIL L"\r"
    L"Url : " TASSEFICHE_WEB_PAGE L"\r"
    L"Url : " TASSEFICHE_SECOND_WEB_PAGE L"\r"
    L"\r"
    L"Logiciel FREEWARE";

}  // namespace

FrmAbout::FrmAbout(Platform& platform) : Form(kFrmAboutLayout), platform_(platform) {
  Place({&Image1, &lblTitle, &lblVersion, &lblDescription, &Line1.front(), &Line1.back(),
         &lblDisclaimer, &Label3, &Label2, &Image2, &cmdOK, &Command1, &cmdSysInfo});

  on_load = [this] { Form_Load(); };
  cmdOK.on_click = [this] { cmdOK_Click(); };
  Command1.on_click = [this] { Command1_Click(); };
  Image2.on_click = [this] { Image2_Click(); };
  Label3.on_click = [this] { Label3_Click(); };
  lblDisclaimer.on_click = [this] { lblDisclaimer_Click(); };
  cmdSysInfo.on_click = [this] { cmdSysInfo_Click(); };
}

// The title, the version line and the program title, from what the running program knows of
// itself; they replace the layout's captions before the window is first shown.
void FrmAbout::Form_Load() {
  const std::wstring title = platform_.application.Title();
  const VersionNumbers version = platform_.application.Version();
  SetCaption(L"A propos " + title);
  lblVersion.SetCaption(L"Version " + std::to_wstring(version.major) + L"." +
                        std::to_wstring(version.minor) + L"." + std::to_wstring(version.revision));
  lblTitle.SetCaption(title);
}

// Also run by Enter and Escape: OK is the default and the cancel button.
void FrmAbout::cmdOK_Click() {
  Unload();
}

void FrmAbout::Command1_Click() {
  MsgBox(platform_.dialogs, kDetails, kMsgInformation, L"A propos");
}

}  // namespace tassefiche
