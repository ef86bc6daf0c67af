// The three links of the about window: the donation picture, the web address and the e-mail
// address, each handed to the shell to open; the window stays open. The shell's answer is not
// looked at: a link that cannot be opened (no browser, no mail program) shows nothing.
#include <string>
#include <string_view>

#include "about_window/frm_about.h"
#include "about_window/maker.h"
#include "platform/failure_styles.h"

namespace tassefiche {

namespace {

constexpr int kShowNormal = 1;

}  // namespace

void FrmAbout::Image2_Click() {
  platform_.shell.Execute(Handle(), L"Open", TASSEFICHE_DONATION_PAGE, L"",
                          platform_.application.Path(), kShowNormal);
}

void FrmAbout::Label3_Click() {
  platform_.shell.Execute(Handle(), L"Open", TASSEFICHE_WEB_PAGE, L"", platform_.application.Path(),
                          kShowNormal);
}

// Skip-and-continue: a failing step is abandoned silently. The mail link passes the same
// parameters and working folder as the web links.
void FrmAbout::lblDisclaimer_Click() {
  std::wstring directory;
  SkipAndContinue({
      [&] { directory = platform_.application.Path(); },
      [&] {
        platform_.shell.Execute(Handle(), L"Open", L"mailto:" TASSEFICHE_MAIL, L"", directory,
                                kShowNormal);
      },
  });
}

}  // namespace tassefiche
