// The display pattern: the text of Text1, typed or put there by an option button, applies to both
// file lists at once. A pattern that the lists refuse is reported and replaced by "*.*".
#include "app/msg_box.h"
#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"

namespace tassefiche {

namespace {

constexpr std::wstring_view kDefaultPattern = L"*.*";

}  // namespace

void FrmCopy::Option1_Click() {
  ApplyPreset(L"*.*");
}

void FrmCopy::Option2_Click() {
  ApplyPreset(L"*.??_");
}

void FrmCopy::Option3_Click() {
  ApplyPreset(L"*.exe");
}

// Setting a different text runs Text1_Change inside the assignment; the direct run then applies
// the pattern even when the box already showed it (the user typed it), with the same result.
void FrmCopy::ApplyPreset(std::wstring_view pattern) {
  Text1.SetText(pattern);
  Text1_Change();
}

// Failure block: the refused-pattern box, then "*.*" back in the box (which runs this handler once
// more, nested, when the box held another text) and in both lists. The option buttons keep their
// state whatever happens here.
void FrmCopy::Text1_Change() {
  WithFailureBlock(
      [&] {
        Fichier1.SetPattern(Text1.Text());
        Fichier1.Refresh();
        Fichier2.SetPattern(Text1.Text());
        Fichier2.Refresh();
        UpdateFileCount();
      },
      [&] {
        MsgBox(platform_.dialogs, L"Filtre incorrect !", kMsgCritical, L"Erreur");
        Text1.SetText(kDefaultPattern);
        Fichier1.SetPattern(kDefaultPattern);
        Fichier2.SetPattern(kDefaultPattern);
      });
}

}  // namespace tassefiche
