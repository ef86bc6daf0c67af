// The main window: two browsing panes (source and target), the display filter, the attribute
// switches, the file-count line and six graphical buttons. Its controls carry the names of its
// layout table; its handlers are named after the control and the event. It opens on a path given
// from outside (the command line, a drop), and its pointer says when a job's tool is at work.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/module1.h"
#include "platform/drive_list.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/form.h"
#include "platform/platform.h"
#include "platform/simple_controls.h"

namespace tassefiche {

struct ToolLaunch;

class FrmCopy : public Form {
 public:
  FrmCopy(Platform& platform, Module1& module1);

  // Start-up, the window's surface and the file-count line.
  void Form_Load();
  void Form_Click();
  void UpdateFileCount();

  // Ways in from outside: the path on the command line, opened once the window shows, and files
  // dropped on the window; the first path of several counts. A folder opens in both panes; a file
  // opens its folder there and is selected in the source list as a click selects it.
  void OpenCommandLinePath();
  void Form_OLEDragDrop(const std::vector<std::wstring>& paths);
  void OpenPath(std::wstring_view path);

  // The jobs: arming by a click in the source list, compression, expansion.
  void Fichier1_Click();
  void BtCompres_Click();
  void BtDecomp_Click();

  // The two panes: each folder list follows its drive list, each file list its folder list.
  void Lecteur1_Change();
  void Lecteur2_Change();
  void Repertoire1_Change();
  void Repertoire2_Change();
  void Repertoire1_Click();
  void Repertoire2_Click();

  // The display pattern, typed or preset, for both file lists.
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Text1_Change();

  // The attribute switches of both file lists.
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();

  // A new folder in the target folder.
  void Commande1_Click();
  // The characters that a new folder's name may not hold, compared exactly (case included).
  static constexpr std::wstring_view ForbiddenFolderChars =
      L"\\><,?;:/!*£µ'¤°+-|`^=èêéëçàäâüûùîïöô";

  // Help, the about window and quitting.
  void btcInfo_Click();
  void Command1_Click();
  void btcCancel_Click();

 private:
  // Starts the tool of a job, watched: while any runs, the pointer says that work goes on.
  void LaunchTool(const ToolLaunch& launch, CommandButton& button);
  // What happens when the tool of a job ends: the pointer is the normal one again once none runs;
  // a failure is told, with the tool's own message, and re-arms the job's button if the file last
  // clicked is still the job's source.
  std::function<void(const ProcessOutcome&)> WhenToolEnds(CommandButton& button);
  // A pane moved to a folder by code: its folder list, then its drive list.
  static void ShowFolder(DriveList& drives, FolderList& folders, std::wstring_view folder);
  // The file of that name selected in the source list as a click selects it; a file that the list
  // does not show disarms both jobs and says why.
  void SelectSourceFile(std::wstring_view name);
  // The drive failure box; true when the user asks to try again.
  bool DriveRetryWanted();
  // A preset pattern into the box, then applied whether or not the box changed.
  void ApplyPreset(std::wstring_view pattern);
  // One attribute switch of both file lists takes the value of its check box.
  void ApplyAttributeSwitch(const CheckBox& box, void (FileList::*set_switch)(bool));
  // The test of a typed folder name: refused (0, after its message) or accepted (1); the
  // candidate is the name without its leading and trailing spaces.
  struct FolderNameCheck {
    int verdict;
    std::wstring candidate;
  };
  FolderNameCheck CheckFolderName(std::wstring_view typed);

  Platform& platform_;
  Module1& module1_;
  std::size_t tools_running_ = 0;

 public:
  // The source pane.
  Frame Cadre1{L"Cadre1"};
  Label Etiquette1{L"Etiquette1"};
  DriveList Lecteur1{L"Lecteur1", platform_.files};
  Label Etiquette2{L"Etiquette2"};
  FolderList Repertoire1{L"Repertoire1", platform_.files, &platform_.timers};
  Label Etiquette3{L"Etiquette3"};
  FileList Fichier1{L"Fichier1", platform_.files, &platform_.timers};
  // The target pane.
  Frame Cadre2{L"Cadre2"};
  Label Etiquette6{L"Etiquette6"};
  DriveList Lecteur2{L"Lecteur2", platform_.files};
  Label Etiquette5{L"Etiquette5"};
  FolderList Repertoire2{L"Repertoire2", platform_.files, &platform_.timers};
  Label Etiquette4{L"Etiquette4"};
  FileList Fichier2{L"Fichier2", platform_.files, &platform_.timers};
  // The right column.
  Label Label1{L"Label1"};
  TextBox Text1{L"Text1"};
  Frame Frame1{L"Frame1"};
  OptionButton Option1{L"Option1"};
  OptionButton Option2{L"Option2"};
  OptionButton Option3{L"Option3"};
  Frame Frame2{L"Frame2"};
  CheckBox Check1{L"Check1"};
  CheckBox Check2{L"Check2"};
  CheckBox Check3{L"Check3"};
  CheckBox Check4{L"Check4"};
  Label Label2{L"Label2"};
  CommandButton BtCompres{L"BtCompres"};
  CommandButton BtDecomp{L"BtDecomp"};
  CommandButton Commande1{L"Commande1"};
  CommandButton btcInfo{L"btcInfo"};
  CommandButton Command1{L"Command1"};
  CommandButton btcCancel{L"btcCancel"};
};

}  // namespace tassefiche
