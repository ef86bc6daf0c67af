// The two panes: a drive change moves the folder list to that drive, a folder change moves the file
// list to that folder, and a click in a folder list reads its file list again. In the source pane a
// folder change also disarms both job buttons and writes the count line; in the target pane it
// records the target folder's short form.
#include "app/msg_box.h"
#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"

namespace tassefiche {

bool FrmCopy::DriveRetryWanted() {
  return MsgBox(platform_.dialogs, L"Lecteur non disponible ou non prêt !",
                kMsgQuestion | kMsgRetryCancel, L"Erreur") == MsgBoxResult::kRetry;
}

// Retry runs the step that failed again. Cancel leaves the pane on the folder it showed and reads
// the drives again. The folder list's Change runs inside the first step, with its own failure
// style, so that none of its failures reaches this handler.
void FrmCopy::Lecteur1_Change() {
  RetryingTheFailedStep(
      {
          [&] { Repertoire1.SetPath(Lecteur1.Drive()); },
          [&] { Repertoire1.Refresh(); },
      },
      [&] { return DriveRetryWanted(); }, [&] { Lecteur1.Refresh(); });
}

void FrmCopy::Lecteur2_Change() {
  RetryingTheFailedStep(
      {
          [&] { Repertoire2.SetPath(Lecteur2.Drive()); },
          [&] { Repertoire2.Refresh(); },
      },
      [&] { return DriveRetryWanted(); }, [&] { Lecteur2.Refresh(); });
}

// Skip-and-continue. SourceFile is not cleared: the buttons stay disarmed until the next click in
// the source list.
void FrmCopy::Repertoire1_Change() {
  SkipAndContinue({
      [&] { Fichier1.SetPath(Repertoire1.Path()); },
      [&] { Fichier1.Refresh(); },
      [&] { BtCompres.SetEnabled(false); },
      [&] { BtDecomp.SetEnabled(false); },
      [&] { UpdateFileCount(); },
  });
}

// Skip-and-continue; no button and not the count line, which counts the source list only.
void FrmCopy::Repertoire2_Change() {
  SkipAndContinue({
      [&] { Fichier2.SetPath(Repertoire2.Path()); },
      [&] { module1_.TargetDir = module1_.ShortPath(Repertoire2.Path()); },
      [&] { Fichier2.Refresh(); },
  });
}

// A click highlights an entry without opening it: the file list reads its own folder again.
void FrmCopy::Repertoire1_Click() {
  Fichier1.Refresh();
}

void FrmCopy::Repertoire2_Click() {
  Fichier2.Refresh();
}

}  // namespace tassefiche
