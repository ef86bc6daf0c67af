#include "main_window/frm_copy.h"

#include <string>

#include "main_window/frm_copy_layout.h"
#include "platform/failure_styles.h"

namespace tassefiche {

FrmCopy::FrmCopy(Platform& platform, Module1& module1)
    : Form(kFrmCopyLayout), platform_(platform), module1_(module1) {
  Place({&Cadre1,    &Etiquette1, &Lecteur1, &Etiquette2, &Repertoire1, &Etiquette3, &Fichier1,
         &Cadre2,    &Etiquette6, &Lecteur2, &Etiquette5, &Repertoire2, &Etiquette4, &Fichier2,
         &Label1,    &Text1,      &Frame1,   &Option1,    &Option2,     &Option3,    &Frame2,
         &Check1,    &Check2,     &Check3,   &Check4,     &Label2,      &BtCompres,  &BtDecomp,
         &Commande1, &btcInfo,    &Command1, &btcCancel});

  on_load = [this] { Form_Load(); };
  on_click = [this] { Form_Click(); };
  on_ole_drag_drop = [this](const std::vector<std::wstring>& paths) { Form_OLEDragDrop(paths); };
  Fichier1.on_click = [this] { Fichier1_Click(); };
  // The source list read its folder again by itself: the count line follows it.
  Fichier1.on_reread = [this] { UpdateFileCount(); };
  BtCompres.on_click = [this] { BtCompres_Click(); };
  BtDecomp.on_click = [this] { BtDecomp_Click(); };
  Lecteur1.on_change = [this] { Lecteur1_Change(); };
  Lecteur2.on_change = [this] { Lecteur2_Change(); };
  Repertoire1.on_change = [this] { Repertoire1_Change(); };
  Repertoire2.on_change = [this] { Repertoire2_Change(); };
  Repertoire1.on_click = [this] { Repertoire1_Click(); };
  Repertoire2.on_click = [this] { Repertoire2_Click(); };
  Option1.on_click = [this] { Option1_Click(); };
  Option2.on_click = [this] { Option2_Click(); };
  Option3.on_click = [this] { Option3_Click(); };
  Text1.on_change = [this] { Text1_Change(); };
  Check1.on_click = [this] { Check1_Click(); };
  Check2.on_click = [this] { Check2_Click(); };
  Check3.on_click = [this] { Check3_Click(); };
  Check4.on_click = [this] { Check4_Click(); };
  Commande1.on_click = [this] { Commande1_Click(); };
  btcInfo.on_click = [this] { btcInfo_Click(); };
  Command1.on_click = [this] { Command1_Click(); };
  btcCancel.on_click = [this] { btcCancel_Click(); };
}

// Skip-and-continue: a step that fails is abandoned silently and the next one runs; a job path
// whose step failed keeps its previous (empty) value.
void FrmCopy::Form_Load() {
  SkipAndContinue({
      [&] { module1_.AppPath = platform_.application.Path(); },
      [&] { module1_.TargetDir = module1_.ShortPath(Repertoire2.Path()); },
      [&] { Commande1.SetToolTipText(L"Crée un dossier à partir du chemin cible"); },
      [&] { Command1.SetToolTipText(L"A propos"); },
      [&] { BtCompres.SetToolTipText(L"Compression d'un fichier"); },
      [&] { BtDecomp.SetToolTipText(L"Décompression d'un fichier"); },
      [&] { Text1.SetToolTipText(L"Choix du filtre d'affichage des fichiers"); },
      [&] { btcInfo.SetToolTipText(L"Aide sur l'utilisation"); },
      [&] { btcCancel.SetToolTipText(L"Quitter le programme"); },
      [&] { UpdateFileCount(); },
  });
}

// The count line is not updated here: it keeps its text until the next handler that writes it.
void FrmCopy::Form_Click() {
  Fichier1.Refresh();
  Fichier2.Refresh();
}

// A space (the sign position of a number that is never negative), the count, then " Fichiers".
void FrmCopy::UpdateFileCount() {
  Label2.SetCaption(L" " + std::to_wstring(Fichier1.ListCount()) + L" Fichiers");
}

}  // namespace tassefiche
