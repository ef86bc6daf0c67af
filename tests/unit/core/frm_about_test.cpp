// The about window over the in-memory platform: its layout table, its load step, OK, the details
// box and the three links; and the main window's help, about and quit buttons that lead to it.
#include "about_window/frm_about.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "about_window/frm_about_layout.h"
#include "about_window/maker.h"
#include "frm_copy_fixture.h"
#include "platform/memory/memory_platform.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (const wchar_t c : text) {
    if (c == L'\r') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

TEST(FrmAboutLayout, HasThirteenControlsAndOnlyItsButtonsTakeTheFocus) {
  const FormLayout& layout = kFrmAboutLayout;
  EXPECT_EQ(layout.client_width, 5730);
  EXPECT_EQ(layout.client_height, 3330);
  EXPECT_FALSE(layout.resizable || layout.minimize_box || layout.maximize_box);
  ASSERT_EQ(layout.controls.size(), 13U);
  std::set<std::wstring_view> names;
  std::map<int, std::wstring_view> buttons_by_tab;
  std::set<int> tabs;
  for (const ControlLayout& row : layout.controls) {
    names.insert(row.name);
    if (row.kind == ControlKind::kCommandButton) buttons_by_tab[row.tab_index] = row.name;
    const bool takes_no_tab = row.kind == ControlKind::kImage || row.kind == ControlKind::kLine;
    EXPECT_EQ(row.tab_index == kNoTabIndex, takes_no_tab) << row.name.data();
    if (!takes_no_tab) {
      EXPECT_TRUE(tabs.insert(row.tab_index).second) << row.name.data();
    }
  }
  EXPECT_EQ(names.size(), 13U);
  EXPECT_THAT(buttons_by_tab,
              ElementsAre(Pair(0, L"cmdOK"), Pair(1, L"cmdSysInfo"), Pair(8, L"Command1")));
}

class FrmAboutTest : public ::testing::Test {
 protected:
  FrmAboutTest() { platform.application.path = L"C:\\Program Files\\Tassefiche"; }
  MemoryPlatform platform;
  FrmAbout about{platform.ports};
};

TEST_F(FrmAboutTest, LoadReplacesTheLayoutCaptionsWithWhatTheProgramKnowsOfItself) {
  EXPECT_EQ(about.Caption(), L"Tassefiche : A Propos");
  EXPECT_EQ(about.lblVersion.Caption(), L"Version 1.3.0");
  about.Load();
  EXPECT_EQ(about.Caption(), L"A propos Tassefiche");
  EXPECT_EQ(about.lblVersion.Caption(), L"Version 1.1.0");
  EXPECT_EQ(about.lblTitle.Caption(), L"Tassefiche");
  // The numbers are read from the program, not written in the window.
  platform.application.version = {2, 10, 7};
  about.Load();
  EXPECT_EQ(about.lblVersion.Caption(), L"Version 2.10.7");
}

TEST_F(FrmAboutTest, OkUnloadsTheWindow) {
  about.Load();
  about.cmdOK.Press();
  EXPECT_TRUE(about.Unloaded());
  EXPECT_THAT(platform.dialogs.messages, IsEmpty());
}

TEST_F(FrmAboutTest, DetailsShowEightLinesUnderAPropos) {
  about.Load();
  about.Command1.Press();
  ASSERT_EQ(platform.dialogs.messages.size(), 1U);
  const MemoryDialogs::MessageShown& box = platform.dialogs.messages[0];
  EXPECT_EQ(box.title, L"A propos");
  EXPECT_EQ(box.style, kMsgInformation);
  EXPECT_EQ(box.text.find(L'\n'), std::wstring::npos);
  const std::vector<std::wstring> lines = Lines(box.text);
  ASSERT_EQ(lines.size(), 8U);
  EXPECT_EQ(lines[0], L"Tassefiche : Version 1.1.0");
  EXPECT_EQ(lines[1], L"");
  EXPECT_EQ(lines[2], L"Auteur : " + about.lblDescription.Caption());
  EXPECT_TRUE(lines[3].starts_with(L"E-Mail : "));
  EXPECT_NE(lines[3], about.lblDisclaimer.Caption());  // not the address of the mail link
  EXPECT_EQ(lines[4], L"Url : " + about.Label3.Caption().substr(6));
  EXPECT_TRUE(lines[5].starts_with(L"Url : http"));
  EXPECT_EQ(lines[6], L"");
  EXPECT_EQ(lines[7], L"Logiciel FREEWARE");
  EXPECT_FALSE(about.Unloaded());
}

// Each link asks the shell once per click, with the same parameters and working folder, and the
// window stays open; a shell that cannot open the link shows nothing.
TEST_F(FrmAboutTest, EachLinkAsksTheShellOncePerClickAndTheWindowStays) {
  about.Load();
  const std::wstring shown_mail = about.lblDisclaimer.Caption().substr(9);  // after "E-Mail : "
  const std::wstring shown_web = about.Label3.Caption().substr(6);          // after "URL : "
  ASSERT_EQ(about.lblDisclaimer.Caption(), L"E-Mail : " + shown_mail);
  ASSERT_EQ(about.Label3.Caption(), L"URL : " + shown_web);
  struct Link {
    const char* what;
    std::function<void()> click;
    std::wstring target;
  };
  const std::vector<Link> links = {
      {"donation picture", [&] { about.Image2.Click(); }, TASSEFICHE_DONATION_PAGE},
      {"web address", [&] { about.Label3.Click(); }, shown_web},
      {"e-mail address", [&] { about.lblDisclaimer.Click(); }, L"mailto:" + shown_mail},
  };
  for (const std::intptr_t answer : {42, 2}) {
    for (const Link& link : links) {
      SCOPED_TRACE(link.what);
      platform.shell.result = answer;
      platform.shell.requests.clear();
      link.click();
      link.click();
      ASSERT_EQ(platform.shell.requests.size(), 2U);
      const MemoryShell::Request& request = platform.shell.requests[0];
      EXPECT_EQ(request, platform.shell.requests[1]);
      EXPECT_EQ(request.owner, about.Handle());
      EXPECT_EQ(request.verb, L"Open");
      EXPECT_EQ(request.file, link.target);
      EXPECT_EQ(request.parameters, L"");
      EXPECT_EQ(request.directory, L"C:\\Program Files\\Tassefiche");
      EXPECT_EQ(request.show, 1);
      EXPECT_FALSE(about.Unloaded());
    }
  }
  EXPECT_THAT(platform.dialogs.messages, IsEmpty());
}

TEST_F(FrmAboutTest, TheThreeClickableItemsShowTheHandAndFourControlsATooltip) {
  std::set<std::wstring> hands;
  std::map<std::wstring, std::wstring> tips;
  for (const Control* control : about.Controls()) {
    if (control->Layout().particulars.hand_cursor) hands.insert(control->Name());
    if (!control->ToolTipText().empty()) tips[control->Name()] = control->ToolTipText();
  }
  EXPECT_THAT(hands, UnorderedElementsAre(L"lblDisclaimer", L"Label3", L"Image2"));
  EXPECT_THAT(
      tips,
      UnorderedElementsAre(
          Pair(L"lblDisclaimer", L"Envoyer un courriel"),
          Pair(L"Label3", testing::StartsWith(L"Visitez le site officiel ")),
          Pair(L"Image2", L"Faire un don avec PayPal - Un solution gratuite, rapide et sécurisée."),
          Pair(L"cmdSysInfo", L"Informations système")));
}

// The main window's three buttons of this window.

TEST_F(FrmCopyTest, HelpShowsItsThirteenLinesUnderItsOwnTitle) {
  FrmCopy& w = Start();
  w.btcInfo.Press();
  ASSERT_EQ(platform.dialogs.messages.size(), 1U);
  const MemoryDialogs::MessageShown& box = platform.dialogs.messages[0];
  EXPECT_EQ(box.title, L"Utilitaire de compression / décompression de fichiers");
  EXPECT_EQ(box.style, kMsgInformation);
  const std::vector<std::wstring> lines = Lines(box.text);
  ASSERT_EQ(lines.size(), 13U);
  EXPECT_EQ(lines[0], L"Utilitaire de compression : décompression de fichiers de type :");
  EXPECT_EQ(lines[1], L"NOMFICHIER.EXT --> NOMFICHIER.EX_");
  EXPECT_EQ(lines[3], L"");
  EXPECT_EQ(lines[6], L"Cliquez sur le bonton  < Compresser >");
  EXPECT_EQ(lines[7], L"");
  EXPECT_EQ(lines[10], L"Cliquez sur le bouton < Décompresser >. Affecter un nom au fichier cible");
  EXPECT_EQ(lines[11],
            L"Le nom du fichier cible ne doit pas excéder 12 caractères. (Point et suffixe "
            L"compris).");
  EXPECT_EQ(lines[12], L"");
  EXPECT_EQ(box.text.find(L'\n'), std::wstring::npos);
}

TEST_F(FrmCopyTest, AboutIsLoadedAfreshAtEveryClickShownModallyAndOwnedByTheMainWindow) {
  FrmCopy& w = Start();
  std::vector<std::wstring> seen;
  platform.dialogs.while_modal = [&](Form& shown) {
    auto& about = dynamic_cast<FrmAbout&>(shown);
    seen.push_back(about.Caption() + L"|" + about.lblTitle.Caption() + L"|" +
                   about.lblVersion.Caption());
    about.lblTitle.SetCaption(L"griffonné");
    // Closed by OK the first time, by its frame the next times.
    if (seen.size() == 1) about.cmdOK.Press();
  };
  w.Command1.Press();
  w.Command1.Press();
  ASSERT_EQ(platform.dialogs.modals.size(), 2U);
  for (const MemoryDialogs::ModalShown& shown : platform.dialogs.modals) {
    EXPECT_EQ(shown.form, L"frmAbout");
    EXPECT_EQ(shown.owner, L"frmCopy");
  }
  EXPECT_THAT(seen, ElementsAre(L"A propos Tassefiche|Tassefiche|Version 1.1.0",
                                L"A propos Tassefiche|Tassefiche|Version 1.1.0"));
  EXPECT_FALSE(w.Unloaded());
}

TEST_F(FrmCopyTest, QuitUnloadsTheMainWindowWithoutAQuestion) {
  FrmCopy& w = Start();
  w.btcCancel.Press();
  EXPECT_TRUE(w.Unloaded());
  EXPECT_THAT(platform.dialogs.messages, IsEmpty());
}

}  // namespace
}  // namespace tassefiche
