// The three buttons that serve the user rather than the jobs: the help text, the about window and
// quitting. None of them reads or writes the job paths.
#include <string_view>

#include "about_window/frm_about.h"
#include "app/msg_box.h"
#include "main_window/frm_copy.h"

namespace tassefiche {

namespace {

// Thirteen lines joined by a carriage return alone, exactly as they stand ("bonton" and its two
// blanks included); the last line is empty and follows the twelfth directly.
constexpr std::wstring_view kHelpText =
    L"Utilitaire de compression : décompression de fichiers de type :\r"
    L"NOMFICHIER.EXT --> NOMFICHIER.EX_\r"
    L"Utilise les fichiers EXPAND.EXE et COMPRESS.EXE du DOS.\r"
    L"\r"
    L"COMPRESSER UN FICHIER :\r"
    L"Choisir le fichier à compresser puis le chemin cible.\r"
    L"Cliquez sur le bonton  < Compresser >\r"
    L"\r"
    L"DECOMPRESSER UN FICHIER :\r"
    L"Choisir le fichier à décompresser puis le dossier cible.\r"
    L"Cliquez sur le bouton < Décompresser >. Affecter un nom au fichier cible\r"
    L"Le nom du fichier cible ne doit pas excéder 12 caractères. (Point et suffixe compris).\r"
    L"";

// A blank on each side of the slash, unlike the window's caption.
constexpr std::wstring_view kHelpTitle = L"Utilitaire de compression / décompression de fichiers";

}  // namespace

void FrmCopy::btcInfo_Click() {
  MsgBox(platform_.dialogs, kHelpText, kMsgInformation, kHelpTitle);
}

// The about window is loaded afresh at every click (its load step runs each time) and shown
// modally, owned by this window so that it never falls behind the window it blocks.
void FrmCopy::Command1_Click() {
  FrmAbout about(platform_);
  platform_.dialogs.ShowModal(about, *this);
}

// No question and nothing to save: unloading the main window ends the program.
void FrmCopy::btcCancel_Click() {
  Unload();
}

}  // namespace tassefiche
