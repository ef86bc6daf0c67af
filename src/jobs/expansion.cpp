// The expansion job: the user names the destination file, and EXPAND.EXE is started, hidden and
// without waiting, on the file last clicked in the source list.
#include <cstddef>
#include <string>
#include <string_view>

#include "jobs/command_line.h"
#include "jobs/job_error.h"
#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"

namespace tassefiche {

namespace {

constexpr std::wstring_view kTitle = L"Nom du fichier à décompresser";
constexpr std::wstring_view kPrompt =
    L"Donner le nom du fichier à décompresser dans le dossier destination\r"
    L"8 Caractères maxi pour le nom du fichier destination\r"
    L"(sans suffixe)";

}  // namespace

// Failure block: the first failing step shows "Erreur" and ends the handler, the button enabled.
// The answer is taken as typed: neither its length nor its suffix is checked, and an answer of
// blanks only is launched. The source is always SourceFile, the file of the last click, while the
// default answer is the name of the selected entry.
void FrmCopy::BtDecomp_Click() {
  WithFailureBlock(
      [&] {
        const std::size_t count = Fichier1.ListCount();
        for (std::size_t i = 0; i < count; ++i) {
          if (!Fichier1.Selected(i)) continue;
          platform_.files.ChangeDirectory(Repertoire1.Path());
          const std::wstring answer = platform_.dialogs.InputBox(kPrompt, kTitle, Fichier1.List(i));
          // Cancel or an emptied field: a silent end, the button still enabled, no refresh.
          if (answer.empty()) return;
          if (module1_.TargetDir.empty()) GoToFailureBlock("no short form of the target folder");
          const ToolLaunch launch = ExpansionLaunch(module1_, answer);
          LaunchTool(launch, BtDecomp);
        }
        Fichier1.Refresh();
        Fichier2.Refresh();
        BtDecomp.SetEnabled(false);
      },
      [&] { ShowJobError(platform_.dialogs); });
}

}  // namespace tassefiche
