// The ways in from outside over the in-memory platform: the path of the command line and the files
// dropped on the window, each opening both panes on a folder or on a file, selected as a click
// selects it; and a path that cannot be opened, told once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "frm_copy_fixture.h"
#include "jobs/command_line.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::wstring_view kDeep =
    L"D:\\Archives des années passées\\Rapports trimestriels et annuels du service\\"
    L"Exercice deux mille sept, premier semestre, versions relues et corrigées\\"
    L"Documents remis au comité de direction pour la réunion de fin de semestre";

std::wstring Quoted(std::wstring_view path) {
  return L"\u00AB\u00A0" + std::wstring(path) + L"\u00A0\u00BB";
}

class PathOpeningTest : public FrmCopyTest {
 protected:
  PathOpeningTest() {
    platform.files.AddDrive(L'A', L"", /*ready=*/false);
    platform.files.AddFile(L"D:\\Mes documents\\RAPPORT.TX_");
    platform.files.AddFile(L"D:\\Mes documents\\rapport annuel.txt");
    platform.files.AddFile(L"D:\\Mes documents\\Φάκελος Папка\\σημειώσεις été.txt");
    platform.files.AddFile(L"D:\\LISEZMOI.TXT");
    platform.files.AddFile(std::wstring(kDeep) + L"\\bilan définitif du semestre.txt");
  }

  // The window as the program starts it with `tail` on its command line.
  void StartWith(std::wstring tail) {
    platform.application.command_tail = std::move(tail);
    Start();
    form->OpenCommandLinePath();
  }

  // The window started without a path, RAPPORT.TXT clicked; then `paths` dropped on it.
  void DropOnStarted(const std::vector<std::wstring>& paths) {
    Start();
    ClickSource(L"RAPPORT.TXT");
    form->OLEDragDrop(paths);
  }

  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : platform.dialogs.messages)
      texts.push_back(shown.text);
    return texts;
  }

  // Both panes on one folder, each list of each pane.
  void ExpectBothPanesOn(std::wstring_view folder) const {
    const FrmCopy& w = *form;
    const std::wstring drive{static_cast<wchar_t>(folder[0] - L'A' + L'a'), L':'};
    for (const DriveList* drives : {&w.Lecteur1, &w.Lecteur2})
      EXPECT_TRUE(drives->Drive().starts_with(drive)) << drives->Drive();
    for (const FolderList* folders : {&w.Repertoire1, &w.Repertoire2})
      EXPECT_EQ(folders->Path(), folder);
    for (const FileList* files : {&w.Fichier1, &w.Fichier2})
      EXPECT_EQ(files->Path(), folder);
  }
};

// Each path, given on the command line (after others) or dropped (before others): the first path
// counts. A file is selected and armed as a click arms it; another folder disarms both jobs, the
// folder shown already leaves them; a path that cannot be opened leaves the window as it was,
// RAPPORT.TXT armed.
TEST_F(PathOpeningTest, EachPathOpensThePanesOrSaysWhyNot) {
  struct Row {
    std::wstring path;
    std::wstring folder;    // both panes
    std::wstring selected;  // in the source list
    bool compress;
    bool expand;
    std::wstring count_line;
    std::wstring message;
  };
  const std::wstring deep(kDeep);
  const std::vector<Row> rows{
      {L"D:\\Mes documents\\RAPPORT.TX_", L"D:\\Mes documents", L"RAPPORT.TX_", false, true,
       L" 2 Fichiers", L""},
      {L"d:\\MES DOCUMENTS\\Rapport Annuel.TXT", L"D:\\Mes documents", L"rapport annuel.txt", true,
       false, L" 2 Fichiers", L""},
      {L"D:\\MESDOC~1\\RAPPOR~1.TXT", L"D:\\Mes documents", L"rapport annuel.txt", true, false,
       L" 2 Fichiers", L""},
      {L"D:\\Mes documents\\Φάκελος Папка\\σημειώσεις été.txt", L"D:\\Mes documents\\Φάκελος Папка",
       L"σημειώσεις été.txt", true, false, L" 1 Fichiers", L""},
      {deep + L"\\bilan définitif du semestre.txt", deep, L"bilan définitif du semestre.txt", true,
       false, L" 1 Fichiers", L""},
      {L"RAPPORT.TX_", L"C:\\DONNEES", L"RAPPORT.TX_", false, true, L" 4 Fichiers", L""},
      {L"..\\DONNEES\\.\\notes.data_", L"C:\\DONNEES", L"notes.data_", true, false, L" 4 Fichiers",
       L""},
      {L"D:\\LISEZMOI.TXT", L"D:\\", L"LISEZMOI.TXT", true, false, L" 1 Fichiers", L""},
      {L"D:\\Mes documents\\", L"D:\\Mes documents", L"", false, false, L" 2 Fichiers", L""},
      {L"D:\\", L"D:\\", L"", false, false, L" 1 Fichiers", L""},
      {L"C:\\DONNEES", L"C:\\DONNEES", L"RAPPORT.TXT", true, false, L" 4 Fichiers", L""},
      {L"C:\\DONNEES\\cache.dat", L"C:\\DONNEES", L"", false, false, L" 4 Fichiers",
       L"Le fichier " + Quoted(L"cache.dat") +
           L" n'est pas affiché :\rle filtre d'affichage ou les attributs choisis le cachent."},
      {L"C:\\DONNEES\\absent.txt", L"C:\\DONNEES", L"RAPPORT.TXT", true, false, L" 4 Fichiers",
       L"Impossible d'ouvrir " + Quoted(L"C:\\DONNEES\\absent.txt") +
           L" :\rLe chemin d'accès spécifié est introuvable."},
      {L"D:\\Absent\\RAPPORT.TXT", L"C:\\DONNEES", L"RAPPORT.TXT", true, false, L" 4 Fichiers",
       L"Impossible d'ouvrir " + Quoted(L"D:\\Absent\\RAPPORT.TXT") +
           L" :\rLe chemin d'accès spécifié est introuvable."},
      {L"A:\\DISQUE.TXT", L"C:\\DONNEES", L"RAPPORT.TXT", true, false, L" 4 Fichiers",
       L"Impossible d'ouvrir " + Quoted(L"A:\\DISQUE.TXT") +
           L" :\rLe périphérique n'est pas prêt."},
      {L"Q:\\RAPPORT.TXT", L"C:\\DONNEES", L"RAPPORT.TXT", true, false, L" 4 Fichiers",
       L"Impossible d'ouvrir " + Quoted(L"Q:\\RAPPORT.TXT") +
           L" :\rLe chemin d'accès spécifié est introuvable."},
  };
  const std::vector<std::pair<const char*, std::function<void(const std::wstring&)>>> ways{
      {"command line",
       [&](const std::wstring& path) {
         platform.application.command_tail = QuotedIfBlank(path) + L" C:\\DONNEES\\RAPPORT.TX_";
         Start();
         ClickSource(L"RAPPORT.TXT");
         form->OpenCommandLinePath();
       }},
      {"drop",
       [&](const std::wstring& path) {
         DropOnStarted({path, L"D:\\LISEZMOI.TXT"});
       }},
  };
  for (const auto& [way, open] : ways) {
    for (const Row& row : rows) {
      SCOPED_TRACE(::testing::Message() << way << ": row " << (&row - rows.data()));
      platform.dialogs.messages.clear();
      open(row.path);
      ExpectBothPanesOn(row.folder);
      EXPECT_EQ(form->Fichier1.FileName(), row.selected);
      EXPECT_EQ(form->BtCompres.Enabled(), row.compress);
      EXPECT_EQ(form->BtDecomp.Enabled(), row.expand);
      EXPECT_EQ(form->Label2.Caption(), row.count_line);
      if (!row.selected.empty()) {
        EXPECT_EQ(module1.SourceFile,
                  platform.files.ShortPath(AddBackslash(row.folder) + row.selected));
      }
      EXPECT_EQ(Messages(), row.message.empty() ? std::vector<std::wstring>{}
                                                : std::vector<std::wstring>{row.message});
      for (const auto& shown : platform.dialogs.messages) {
        const bool refused = shown.text.starts_with(L"Impossible");
        EXPECT_EQ(shown.style, refused ? kMsgCritical : kMsgInformation);
        EXPECT_EQ(shown.title, refused ? L"Erreur" : L"Tassefiche");
      }
    }
  }
}

// A path typed without quotes may hold blanks when it names something whole; an empty tail or
// empty first argument opens nothing and says nothing.
TEST_F(PathOpeningTest, TheCommandTailNamesOnePathOrNone) {
  struct Row {
    std::wstring tail;
    std::wstring folder;
    std::wstring selected;
    std::vector<std::wstring> messages;
  };
  const std::vector<Row> rows{
      {L"", L"C:\\DONNEES", L"", {}},
      {L"   ", L"C:\\DONNEES", L"", {}},
      {L"\"\" D:\\LISEZMOI.TXT", L"C:\\DONNEES", L"", {}},
      {L"D:\\Mes documents\\RAPPORT.TX_ ", L"D:\\Mes documents", L"RAPPORT.TX_", {}},
      {L"rapport annuel.txt", L"C:\\DONNEES", L"rapport annuel.txt", {}},
      {L"RAPPORT.TXT RAPPORT.TX_", L"C:\\DONNEES", L"RAPPORT.TXT", {}},
      {L"\"D:\\Mes documents\"\\RAPPORT.TX_ x", L"D:\\Mes documents", L"RAPPORT.TX_", {}},
      {L"D:\\Mes documents\\absent.txt",
       L"C:\\DONNEES",
       L"",
       {L"Impossible d'ouvrir " + Quoted(L"D:\\Mes") +
        L" :\rLe chemin d'accès spécifié est introuvable."}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.tail);
    platform.dialogs.messages.clear();
    StartWith(row.tail);
    ExpectBothPanesOn(row.folder);
    EXPECT_EQ(form->Fichier1.FileName(), row.selected);
    EXPECT_EQ(Messages(), row.messages);
  }
}

// A drive that came after the window started shows in both drive lists; nothing dropped is nothing
// done.
TEST_F(PathOpeningTest, ADropReachesADriveNewerThanTheWindow) {
  Start();
  form->OLEDragDrop({});
  ExpectBothPanesOn(L"C:\\DONNEES");
  platform.files.AddDrive(L'E');
  platform.files.AddFile(L"E:\\CLE USB\\PHOTO.JPG");
  form->OLEDragDrop({L"E:\\CLE USB\\PHOTO.JPG"});
  ExpectBothPanesOn(L"E:\\CLE USB");
  EXPECT_THAT(form->Lecteur1.Entries(),
              ElementsAre(L"a:", L"c: [SYSTEME]", L"d: [DONNEES]", L"e:"));
  EXPECT_EQ(form->Fichier1.FileName(), L"PHOTO.JPG");
  EXPECT_TRUE(form->BtCompres.Enabled());
  EXPECT_THAT(Messages(), IsEmpty());
}

}  // namespace
}  // namespace tassefiche
