// The main window over the in-memory platform: C: with the program in C:\Outils\Compression and the
// process started in C:\DONNEES, D: with an archive folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/module1.h"
#include "main_window/frm_copy.h"
#include "platform/memory/memory_platform.h"

namespace tassefiche {

class FrmCopyTest : public ::testing::Test {
 protected:
  FrmCopyTest() {
    platform.files.AddDrive(L'C', L"SYSTEME");
    platform.files.AddDrive(L'D', L"DONNEES");
    platform.files.AddFile(L"C:\\Outils\\Compression\\COMPRESS.EXE");
    platform.files.AddFile(L"C:\\Outils\\Compression\\EXPAND.EXE");
    platform.application.path = L"C:\\Outils\\Compression";
    platform.files.AddFile(L"C:\\DONNEES\\RAPPORT.TXT");
    platform.files.AddFile(L"C:\\DONNEES\\RAPPORT.TX_");
    platform.files.AddFile(L"C:\\DONNEES\\notes.data_");
    platform.files.AddFile(L"C:\\DONNEES\\rapport annuel.txt");
    platform.files.AddFile(L"C:\\DONNEES\\cache.dat", kAttrArchive | kAttrHidden);
    platform.files.AddFolder(L"D:\\ARCHIVES");
    platform.files.ChangeDirectory(L"C:\\DONNEES");
  }

  // Creates the window as the program does at start: controls first, then the load handler.
  FrmCopy& Start() {
    form = std::make_unique<FrmCopy>(platform.ports, module1);
    form->Load();
    return *form;
  }

  // The user clicks the entry of the source list that shows `name`.
  void ClickSource(std::wstring_view name) {
    for (std::size_t i = 0; i < form->Fichier1.ListCount(); ++i) {
      if (form->Fichier1.List(i) == name) return form->Fichier1.Select(i);
    }
    FAIL() << "no entry for the name";
  }

  MemoryPlatform platform;
  Module1 module1{platform.files};
  std::unique_ptr<FrmCopy> form;
};

}  // namespace tassefiche
