// "Créer un dossier": a new folder, named by the user, inside the folder that the target folder
// list shows. Neither pane moves; both are read again so that the new folder shows.
#include <string>

#include "app/msg_box.h"
#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"
#include "platform/text.h"

namespace tassefiche {

namespace {

constexpr std::wstring_view kPrompt = L"Nom du dossier à créer";
constexpr std::wstring_view kTitle = L"Création d'un dossier";
constexpr std::wstring_view kDefaultName = L"Nouveau dossier";
constexpr int kRefused = 0;
constexpr int kAccepted = 1;

}  // namespace

// Only the first forbidden character counts, and only one message is shown. Letter case matters:
// the set lists the accented small letters only.
FrmCopy::FolderNameCheck FrmCopy::CheckFolderName(std::wstring_view typed) {
  FolderNameCheck check{kAccepted, TrimBlanks(typed)};
  for (const wchar_t c : check.candidate) {
    if (ForbiddenFolderChars.find(c) == std::wstring_view::npos) continue;
    check.verdict = kRefused;
    MsgBox(platform_.dialogs, L"Nom de répertoire non valable !\r    Caractère interdit.",
           kMsgCritical, L"Erreur");
    break;
  }
  return check;
}

// Failure block. A refused name asks again, always offering the default name; an empty or blank
// answer ends silently. The folder gets the name exactly as typed, blanks included. The message
// says what happened: a name that is taken keeps its historic text, any other failure gives the
// platform's reason. A failure after the folder was made (a list that cannot be read again) finds
// it there.
void FrmCopy::Commande1_Click() {
  bool created = false;
  WithFailureBlock(
      [&] {
        const std::wstring parent = Repertoire2.Path();
        std::wstring typed;
        for (;;) {
          typed = platform_.dialogs.InputBox(kPrompt, kTitle, kDefaultName);
          const FolderNameCheck check = CheckFolderName(typed);
          if (check.verdict == kRefused) continue;
          if (check.candidate.empty()) return;
          break;
        }
        platform_.files.CreateFolder(AddBackslash(parent) + typed);
        created = true;
        Fichier1.SetPath(Repertoire1.Path());
        Fichier1.Refresh();
        Repertoire1.Refresh();
        Fichier2.SetPath(Repertoire2.Path());
        Fichier2.Refresh();
        Repertoire2.Refresh();
      },
      [&](const PlatformError& failure) {
        std::wstring text = L"Le répertoire existe déja";
        if (!created && failure.Kind() != FailureKind::kAlreadyExists) {
          text = L"Impossible de créer le dossier :";
          if (!failure.Reason().empty()) text += L"\r" + failure.Reason();
        }
        MsgBox(platform_.dialogs, text, kMsgCritical, L"Erreur");
      });
}

}  // namespace tassefiche
