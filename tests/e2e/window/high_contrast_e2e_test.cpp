// High contrast through the real windows, read from the screen: with a high-contrast scheme written
// into the prefix's colours and switched on, the grey labels and the about window take the
// scheme's colours; switched off while the program runs, every colour is the layout's again, the
// scheme's colours notwithstanding. The prefix's colours are put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "program_folder.h"
#include "running_program.h"
#include "saved_registry_value.h"
#include "screen_area.h"

namespace tassefiche::e2e {
namespace {

constexpr int kEtiquette3 = 24;
constexpr int kEtiquette4 = 27;
constexpr int kCommand1 = 4;
constexpr int kCmdOk = 1000;
constexpr int kLblTitle = 1004;
constexpr int kLblDisclaimer = 1003;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLink = RGB(0, 0, 159);

// The colours of a white high-contrast scheme, by their names in the user's settings.
const std::vector<std::pair<std::wstring, std::wstring>> kScheme = {
    {L"ButtonFace", L"255 255 255"}, {L"ButtonText", L"0 0 0"},
    {L"Window", L"255 255 255"},     {L"WindowText", L"0 0 0"},
    {L"GrayText", L"96 0 0"},        {L"HotTrackingColor", L"0 0 159"},
    {L"Hilight", L"55 0 110"},       {L"HilightText", L"255 255 255"}};

class HighContrastTest : public ::testing::Test {
 protected:
  HighContrastTest() {
    for (const auto& [name, value] : kScheme) {
      colours_.push_back(
          std::make_unique<SavedRegistryValue>(HKEY_CURRENT_USER, L"Control Panel\\Colors", name));
      colours_.back()->SetText(value);
    }
    SwitchScheme(true);
  }
  void SwitchScheme(bool on) const { flags_.SetText(on ? L"127" : L"126"); }
  // What the platform tells every window when the user switches the scheme.
  static void Announce(HWND window) {
    SendMessageTimeoutW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
  }
  // The control shows `background` at the right end of its middle row and `text` somewhere.
  static bool Shows(HWND control, COLORREF background, COLORREF text) {
    return WaitFor([&] {
      const ScreenArea area(control);
      return area.At(area.Width() - 2, area.Height() / 2) == background && area.Shows(text);
    });
  }
  static bool ShowsText(HWND control, COLORREF text) {
    return WaitFor([&] { return ScreenArea(control).Shows(text); });
  }

  SavedRegistryValue flags_{HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast",
                            L"Flags"};
  std::vector<std::unique_ptr<SavedRegistryValue>> colours_;
};

TEST_F(HighContrastTest, LabelsAndTheAboutWindowFollowTheScheme) {
  const ProgramFolder folder(Tools::kNone);
  const RunningProgram program(folder.Program(), folder.Source());
  SetForegroundWindow(program.Main());
  for (const int label : {kEtiquette3, kEtiquette4}) {
    EXPECT_TRUE(Shows(program.Control(label), kWhite, kBlack)) << label;
  }
  program.Press(program.Control(kCommand1));
  const HWND about = program.WaitForWindow(L"Tassefiche.frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(WaitFor([&] { return ScreenArea(about).At(3, 3) == kWhite; }));
  EXPECT_TRUE(ShowsText(program.ControlOf(about, kLblTitle), kBlack));
  EXPECT_TRUE(ShowsText(program.ControlOf(about, kLblDisclaimer), kLink));

  // Off while the program runs: the layout's black, green and blue, and its grey labels.
  SwitchScheme(false);
  Announce(about);
  Announce(program.Main());
  EXPECT_TRUE(WaitFor([&] { return ScreenArea(about).At(3, 3) == kBlack; }));
  EXPECT_TRUE(ShowsText(program.ControlOf(about, kLblTitle), RGB(0, 255, 0)));
  EXPECT_TRUE(ShowsText(program.ControlOf(about, kLblDisclaimer), RGB(0, 0, 255)));
  program.Press(program.ControlOf(about, kCmdOk));
  ASSERT_TRUE(WaitFor([&] { return IsWindow(about) == FALSE; }));
  for (const int label : {kEtiquette3, kEtiquette4}) {
    EXPECT_TRUE(Shows(program.Control(label), RGB(192, 192, 192), kBlack)) << label;
  }
}

}  // namespace
}  // namespace tassefiche::e2e
