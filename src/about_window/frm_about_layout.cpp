#include "about_window/frm_about_layout.h"

#include <array>

#include "about_window/maker.h"

namespace tassefiche {

namespace {

using enum ControlKind;

constexpr FontSpec kComic{L"Comic Sans MS", 8.25, false};
constexpr FontSpec kComicBold{L"Comic Sans MS", 9.75, true};
constexpr FontSpec kSansSerifBold{L"MS Sans Serif", 8.25, true};

constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};

constexpr std::wstring_view kWindow;

// clang-format off
constexpr std::array kControls{
  //              name               kind            container caption                 left   top  width height tab          font
  ControlLayout{L"Image1",         kImage,         kWindow, L"",                     120,  240,  720,  720, kNoTabIndex, nullptr,
                {.picture = Picture::kProgramIcon}},
  ControlLayout{L"lblTitle",       kLabel,         kWindow, L"Tassefiche",          1080,  120, 3885,  360,  4, &kComicBold,
                {.fore_color = kGreen}},
  ControlLayout{L"lblVersion",     kLabel,         kWindow, L"Version 1.3.0",       1080,  480, 3885,  225,  5, &kComic,
                {.fore_color = kGreen}},
  ControlLayout{L"lblDescription", kLabel,         kWindow, TASSEFICHE_AUTHOR_LINE, 1080,  840, 3885,  330,  2, &kComic,
                {.fore_color = kGreen}},
  // The etched separator, white above and grey one pixel below, 30 twips past the right edge.
  ControlLayout{L"Line1(0)",       kLine,          kWindow, L"",                       0, 1200, 5760,    0, kNoTabIndex, nullptr,
                {.fore_color = kWhite, .line_width = 2}},
  ControlLayout{L"Line1(1)",       kLine,          kWindow, L"",                       0, 1215, 5760,    0, kNoTabIndex, nullptr,
                {.fore_color = kGrey, .line_width = 1}},
  // The e-mail and web-address texts size themselves to their caption about their centre, so that
  // what can be clicked is exactly their text.
  ControlLayout{L"lblDisclaimer",  kLabel,         kWindow, L"E-Mail : " TASSEFICHE_MAIL, 600, 1320, 2625, 225, 3, &kComic,
                {.auto_size = true, .fore_color = kBlue, .centred = true, .hand_cursor = true,
                 .tool_tip = L"Envoyer un courriel"}},
  ControlLayout{L"Label3",         kLabel,         kWindow, L"URL : " TASSEFICHE_WEB_PAGE, 960, 1680, 2115, 225, 7, &kComic,
                {.auto_size = true, .fore_color = kBlue, .centred = true, .hand_cursor = true,
                 .tool_tip = L"Visitez le site officiel " TASSEFICHE_MAKER_NAME}},
  ControlLayout{L"Label2",         kLabel,         kWindow, L"Logiciel FREEWARE",    720, 2040, 2535,  255,  6, &kComicBold,
                {.fore_color = kRed, .centred = true}},
  ControlLayout{L"Image2",         kImage,         kWindow, L"",                    1320, 2520, 1500,  660, kNoTabIndex, nullptr,
                {.picture = Picture::kDonation, .hand_cursor = true,
                 .tool_tip = L"Faire un don avec PayPal - Un solution gratuite, rapide et sécurisée."}},
  ControlLayout{L"cmdOK",          kCommandButton, kWindow, L"OK",                  3960, 1440, 1500,  585,  0, &kSansSerifBold,
                {.default_button = true, .cancel_button = true}},
  ControlLayout{L"Command1",       kCommandButton, kWindow, L"Détails...",          3960, 2280, 1455,  375,  8, &kComic},
  ControlLayout{L"cmdSysInfo",     kCommandButton, kWindow, L"&Système Info...",    3960, 2760, 1485,  345,  1, &kComic,
                {.tool_tip = L"Informations système"}},
};
// clang-format on

}  // namespace

const FormLayout kFrmAboutLayout{
    .name = L"frmAbout",
    .caption = L"Tassefiche : A Propos",
    .client_width = 5730,
    .client_height = 3330,
    .font = {L"MS Sans Serif", 8.25, false},
    .resizable = false,
    .minimize_box = false,
    .maximize_box = false,
    .controls = kControls,
    .back_color = Rgb{0, 0, 0},
};

}  // namespace tassefiche
