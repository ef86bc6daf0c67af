// The compression job: COMPRESS.EXE is started, hidden and without waiting, on the file last
// clicked in the source list, into the folder the target pane shows.
#include "jobs/command_line.h"
#include "jobs/job_error.h"
#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"

namespace tassefiche {

// Failure block: the first failing step shows "Erreur" and ends the handler; the button then stays
// enabled and whatever ran before stays done. The tool's outcome comes later, by itself.
void FrmCopy::BtCompres_Click() {
  WithFailureBlock(
      [&] {
        platform_.files.ChangeDirectory(Repertoire1.Path());
        module1_.TargetDir = module1_.ShortPath(Repertoire2.Path());
        const ToolLaunch launch = CompressionLaunch(module1_);
        LaunchTool(launch, BtCompres);
        BtCompres.SetEnabled(false);
        Fichier1.Refresh();
        Fichier2.Refresh();
      },
      [&] { ShowJobError(platform_.dialogs); });
}

}  // namespace tassefiche
