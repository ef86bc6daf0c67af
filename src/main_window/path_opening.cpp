// Ways in from outside the window: a path on the command line and files dropped on the window.
// Both panes open on a folder, or on a file's folder with the file selected in the source list as a
// click selects it, so that the arming rule arms the job that suits it.
#include <string>
#include <vector>

#include "app/command_tail.h"
#include "app/msg_box.h"
#include "main_window/frm_copy.h"
#include "platform/failure_styles.h"
#include "platform/text.h"

namespace tassefiche {

namespace {

// "C:\...": the panes show folders of a drive only, not those of a share named without one.
bool OnADrive(std::wstring_view path) {
  return path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
}

// The folder of a full path: its drive root keeps its "\".
std::wstring FolderOf(std::wstring_view path) {
  const std::size_t last = path.rfind(L'\\');
  return std::wstring(path.substr(0, last == 2 ? 3 : last));
}

// The name between French quotation marks, kept on one line with it.
std::wstring Quoted(std::wstring_view name) {
  return L"\u00AB\u00A0" + std::wstring(name) + L"\u00A0\u00BB";
}

}  // namespace

// The first argument counts. A tail of several words without quotes that names something whole is
// one path with blanks, typed without its quotes. An empty first argument is no path.
void FrmCopy::OpenCommandLinePath() {
  const std::wstring tail = TrimBlanks(platform_.application.CommandTail());
  const std::vector<std::wstring> arguments = SplitArguments(tail);
  if (arguments.empty() || arguments.front().empty()) return;
  std::wstring path = arguments.front();
  if (arguments.size() > 1 && tail.find(L'"') == std::wstring::npos) {
    EndingSilentlyOnFailure([&] {
      platform_.files.ResolvePath(tail, platform_.files.CurrentDirectory());
      path = tail;
    });
  }
  OpenPath(path);
}

void FrmCopy::Form_OLEDragDrop(const std::vector<std::wstring>& paths) {
  if (!paths.empty()) OpenPath(paths.front());
}

// Failure block: a path that names nothing, on a drive that is not ready, or that the panes cannot
// show, says which path could not be opened, with the platform's reason when it gives one; the
// panes stay where they were unless one had moved already.
void FrmCopy::OpenPath(std::wstring_view path) {
  WithFailureBlock(
      [&] {
        const ResolvedPath found =
            platform_.files.ResolvePath(path, platform_.files.CurrentDirectory());
        if (!OnADrive(found.path)) {
          GoToFailureBlock("not on a drive",
                           L"Les volets ne montrent que les dossiers d'un lecteur.");
        }
        const std::wstring folder = found.folder ? found.path : FolderOf(found.path);
        ShowFolder(Lecteur1, Repertoire1, folder);
        ShowFolder(Lecteur2, Repertoire2, folder);
        if (found.folder) return;
        // The source list follows its folder list through a step that may have been skipped.
        if (Fichier1.Path() != folder) GoToFailureBlock("the source list is elsewhere");
        SelectSourceFile(std::wstring_view(found.path).substr(AddBackslash(folder).size()));
      },
      [&](const PlatformError& failure) {
        std::wstring text = L"Impossible d'ouvrir " + Quoted(path);
        if (!failure.Reason().empty()) text += L" :\r" + failure.Reason();
        MsgBox(platform_.dialogs, text, kMsgCritical, L"Erreur");
      });
}

// The drive list shows the folder's drive without a Change, which would move the folder list to
// the drive's current folder.
void FrmCopy::ShowFolder(DriveList& drives, FolderList& folders, std::wstring_view folder) {
  folders.SetPath(folder);
  drives.ShowDrive(folder[0]);
}

// The list is read again first, for a file made a moment ago that its watch has not yet told.
void FrmCopy::SelectSourceFile(std::wstring_view name) {
  Fichier1.Refresh();
  for (std::size_t i = 0; i < Fichier1.ListCount(); ++i) {
    if (Fichier1.List(i) == name) return Fichier1.Select(i);
  }
  // The file last clicked is no longer what the user points at: neither job may run on it.
  BtCompres.SetEnabled(false);
  BtDecomp.SetEnabled(false);
  UpdateFileCount();
  MsgBox(platform_.dialogs,
         L"Le fichier " + Quoted(name) +
             L" n'est pas affiché :\rle filtre d'affichage ou les attributs choisis le cachent.",
         kMsgInformation);
}

}  // namespace tassefiche
