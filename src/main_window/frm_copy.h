// The main window: two browsing panes (source and target), the display filter, the attribute
// switches, the file-count line and six graphical buttons. Its controls carry the names of its
// layout table; its handlers are named after the control and the event.
#pragma once

#include "app/module1.h"
#include "platform/drive_list.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/form.h"
#include "platform/platform.h"
#include "platform/simple_controls.h"

namespace tassefiche {

class FrmCopy : public Form {
 public:
  FrmCopy(Platform& platform, Module1& module1);

  // Start-up, the window's surface and the file-count line.
  void Form_Load();
  void Form_Click();
  void UpdateFileCount();

  // The jobs: arming by a click in the source list, compression, expansion.
  void Fichier1_Click();
  void BtCompres_Click();
  void BtDecomp_Click();

  // Help, the about window and quitting.
  void btcInfo_Click();
  void Command1_Click();
  void btcCancel_Click();

 private:
  Platform& platform_;
  Module1& module1_;

 public:
  // The source pane.
  Frame Cadre1{L"Cadre1"};
  Label Etiquette1{L"Etiquette1"};
  DriveList Lecteur1{L"Lecteur1", platform_.files};
  Label Etiquette2{L"Etiquette2"};
  FolderList Repertoire1{L"Repertoire1", platform_.files};
  Label Etiquette3{L"Etiquette3"};
  FileList Fichier1{L"Fichier1", platform_.files};
  // The target pane.
  Frame Cadre2{L"Cadre2"};
  Label Etiquette6{L"Etiquette6"};
  DriveList Lecteur2{L"Lecteur2", platform_.files};
  Label Etiquette5{L"Etiquette5"};
  FolderList Repertoire2{L"Repertoire2", platform_.files};
  Label Etiquette4{L"Etiquette4"};
  FileList Fichier2{L"Fichier2", platform_.files};
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
