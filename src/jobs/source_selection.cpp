// The arming rule: a click in the source file list records the clicked file in short form and arms
// the job that suits it, judged by the last character of that short form alone ("_": a compressed
// file, to expand; anything else: a file to compress).
#include <cstddef>
#include <string>

#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"

namespace tassefiche {

// Any failure ends the handler silently; what was done before it stays done.
void FrmCopy::Fichier1_Click() {
  EndingSilentlyOnFailure([&] {
    UpdateFileCount();
    module1_.SourceFile =
        module1_.ShortPath(AddBackslash(Repertoire1.Path()) + Fichier1.FileName());
    // No short form (the file has just gone, say): both buttons keep their states.
    if (module1_.SourceFile.empty()) return;

    const bool compressed = module1_.SourceFile.back() == L'_';
    if (compressed) {
      BtDecomp.SetEnabled(true);
      BtCompres.SetEnabled(false);
    } else {
      BtDecomp.SetEnabled(false);
    }
    for (std::size_t i = 0; i < Fichier1.ListCount(); ++i) {
      if (!Fichier1.Selected(i)) continue;
      BtCompres.SetEnabled(true);
      if (compressed) {
        BtDecomp.SetEnabled(true);
        BtCompres.SetEnabled(false);
      }
    }
  });
}

}  // namespace tassefiche
