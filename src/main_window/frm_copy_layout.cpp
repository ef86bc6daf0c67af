#include "main_window/frm_copy_layout.h"

#include <array>

namespace tassefiche {

namespace {

using enum ControlKind;

constexpr FontSpec kSansSerif{L"MS Sans Serif", 8.25, false};
constexpr FontSpec kSmallFonts{L"Small Fonts", 6, false};
constexpr Rgb kLightGrey{192, 192, 192};

constexpr AttributeSwitches kSourceSwitches{
    .archive = true, .hidden = false, .system = false, .read_only = false, .normal = true};
constexpr AttributeSwitches kTargetSwitches{
    .archive = true, .hidden = true, .system = true, .read_only = true, .normal = true};

constexpr std::wstring_view kWindow;

// Each label above a list, a drive list or the pattern box names it.
// clang-format off
constexpr std::array kControls{
  //            name            kind          container  caption                 left    top  width height tab  font
  // The source pane.
  ControlLayout{L"Cadre1",      kFrame,       kWindow,   L"Source :",             120,   60, 2595, 6315, 21},
  ControlLayout{L"Etiquette1",  kLabel,       L"Cadre1", L"Lecteur source :",     120,  240, 1575,  255, 22, nullptr,
                {.names = L"Lecteur1"}},
  ControlLayout{L"Lecteur1",    kDriveList,   L"Cadre1", L"",                     120,  480, 2295,  315, 16, &kSansSerif},
  ControlLayout{L"Etiquette2",  kLabel,       L"Cadre1", L"Dossier source :",     120,  840, 1935,  255, 23, nullptr,
                {.window_text = true, .names = L"Repertoire1"}},
  ControlLayout{L"Repertoire1", kFolderList,  L"Cadre1", L"",                     120, 1080, 2295, 1890, 17, &kSansSerif},
  ControlLayout{L"Etiquette3",  kLabel,       L"Cadre1", L"Fichiers sources :",   120, 3120, 2175,  195, 24, nullptr,
                {.back_color = kLightGrey, .names = L"Fichier1"}},
  ControlLayout{L"Fichier1",    kFileList,    L"Cadre1", L"",                     120, 3360, 2295, 2820, 18, &kSansSerif,
                {.switches = kSourceSwitches}},
  // The target pane; its file list only displays.
  ControlLayout{L"Cadre2",      kFrame,       kWindow,   L"Cible :",             2820,   60, 2595, 6315, 25},
  ControlLayout{L"Etiquette6",  kLabel,       L"Cadre2", L"Lecteur cible :",      120,  240, 2295,  255, 29, nullptr,
                {.names = L"Lecteur2"}},
  ControlLayout{L"Lecteur2",    kDriveList,   L"Cadre2", L"",                     120,  480, 2295,  315, 19, &kSansSerif},
  ControlLayout{L"Etiquette5",  kLabel,       L"Cadre2", L"Dossier cible :",      120,  840, 2295,  315, 28, nullptr,
                {.window_text = true, .names = L"Repertoire2"}},
  ControlLayout{L"Repertoire2", kFolderList,  L"Cadre2", L"",                     120, 1080, 2295, 1890, 20, &kSansSerif},
  ControlLayout{L"Etiquette4",  kLabel,       L"Cadre2", L"Fichiers cibles :",    120, 3120, 2175,  195, 27, nullptr,
                {.back_color = kLightGrey, .names = L"Fichier2"}},
  ControlLayout{L"Fichier2",    kFileList,    L"Cadre2", L"",                     120, 3360, 2295, 2820, 26, &kSansSerif,
                {.enabled = false, .switches = kTargetSwitches}},
  // The right column: display filter, attribute switches and the file-count line.
  ControlLayout{L"Label1",      kLabel,       kWindow,   L"Filtre de sélection :", 5520, 120, 1695,  255, 30, nullptr,
                {.names = L"Text1"}},
  ControlLayout{L"Text1",       kTextBox,     kWindow,   L"*.*",                 5520,  360, 2055,  285,  6},
  ControlLayout{L"Frame1",      kFrame,       kWindow,   L"Filtres",             5520,  720, 2055, 1095,  7},
  ControlLayout{L"Option1",     kOptionButton, L"Frame1", L"*.*",                 120,  240, 1815,  255,  8, nullptr,
                {.value = 1}},
  ControlLayout{L"Option2",     kOptionButton, L"Frame1", L"*.??_",               120,  480, 1815,  255,  9},
  ControlLayout{L"Option3",     kOptionButton, L"Frame1", L"*.exe",               120,  720, 1815,  255, 10},
  ControlLayout{L"Frame2",      kFrame,       kWindow,   L"Attributs",           5520, 1920, 2055, 1335, 11},
  ControlLayout{L"Check1",      kCheckBox,    L"Frame2", L"Archive",              120,  240, 1815,  255, 12, nullptr,
                {.value = 1}},
  ControlLayout{L"Check2",      kCheckBox,    L"Frame2", L"Caché",                120,  480, 1815,  255, 13},
  ControlLayout{L"Check3",      kCheckBox,    L"Frame2", L"Système",              120,  720, 1815,  255, 14},
  ControlLayout{L"Check4",      kCheckBox,    L"Frame2", L"Lecture",              120,  960, 1815,  255, 15},
  ControlLayout{L"Label2",      kLabel,       kWindow,   L"Label2",              5520, 3360,  585,  195, 31, nullptr,
                {.auto_size = true}},
  // The six graphical buttons, two columns by three rows; the two job buttons start disabled.
  ControlLayout{L"BtCompres",   kCommandButton, kWindow, L"&Compresser",         5520, 3600,  975,  855,  0, &kSansSerif,
                {.enabled = false, .picture = Picture::kCompress}},
  ControlLayout{L"BtDecomp",    kCommandButton, kWindow, L"&Décompresser",       6600, 3600,  975,  855,  1, &kSmallFonts,
                {.enabled = false, .picture = Picture::kProgramIcon}},
  ControlLayout{L"Commande1",   kCommandButton, kWindow, L"Créer un &dossier",   5520, 4560,  975,  855,  2, &kSmallFonts,
                {.picture = Picture::kNewFolder}},
  ControlLayout{L"btcInfo",     kCommandButton, kWindow, L"&Aide",               6600, 4560,  975,  855,  3, &kSansSerif,
                {.picture = Picture::kHelp}},
  ControlLayout{L"Command1",    kCommandButton, kWindow, L"A &propos",           5520, 5520,  975,  855,  4, &kSansSerif,
                {.picture = Picture::kAbout}},
  ControlLayout{L"btcCancel",   kCommandButton, kWindow, L"&Quitter",            6600, 5520,  975,  855,  5, &kSansSerif,
                {.picture = Picture::kQuit}},
};
// clang-format on

}  // namespace

const FormLayout kFrmCopyLayout{
    .name = L"frmCopy",
    .caption = L"Utilitaire de compression/décompression de fichiers",
    .client_width = 7710,
    .client_height = 6540,
    .font = {L"MS Sans Serif", 8.25, true},
    .resizable = true,
    .minimize_box = true,
    .maximize_box = false,
    .controls = kControls,
};

}  // namespace tassefiche
