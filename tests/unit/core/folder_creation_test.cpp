// "Créer un dossier" over the in-memory platform: the name test, the prompt loop, the folder made
// exactly as typed, the message of each failure, and both panes read again without moving.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "frm_copy_fixture.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAreArray;

constexpr std::wstring_view kRefusedCharacter =
    L"Nom de répertoire non valable !\r    Caractère interdit.";
constexpr std::wstring_view kTaken = L"Le répertoire existe déja";
constexpr std::wstring_view kInvalidName =
    L"Impossible de créer le dossier :\rLa syntaxe du nom de fichier, de répertoire ou de volume "
    L"est incorrecte.";

class FolderCreationTest : public FrmCopyTest {
 protected:
  FolderCreationTest() { platform.files.AddFolder(L"C:\\DONNEES\\Archives"); }

  std::set<std::wstring> Folders(std::wstring_view path) {
    std::set<std::wstring> names;
    for (const DirectoryEntry& entry : platform.files.ListFolder(path)) {
      if ((entry.attributes & kAttrDirectory) != 0) names.insert(entry.name);
    }
    return names;
  }

  // Answers the prompts in order and returns the folders the command made in C:\DONNEES.
  std::set<std::wstring> Create(std::vector<std::optional<std::wstring>> answers) {
    const std::set<std::wstring> before = Folders(L"C:\\DONNEES");
    platform.dialogs.input_answers.assign(answers.begin(), answers.end());
    form->Commande1_Click();
    std::set<std::wstring> made;
    for (const std::wstring& name : Folders(L"C:\\DONNEES")) {
      if (!before.contains(name)) made.insert(name);
    }
    return made;
  }

  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : platform.dialogs.messages) {
      EXPECT_EQ(shown.title, L"Erreur");
      EXPECT_EQ(shown.style, 16);
      texts.push_back(shown.text);
    }
    return texts;
  }
};

TEST_F(FolderCreationTest, TheForbiddenSetIsThirtySixCodePointsInOrder) {
  const std::vector<wchar_t> expected{0x5C, 0x3E, 0x3C, 0x2C, 0x3F, 0x3B, 0x3A, 0x2F, 0x21,
                                      0x2A, 0xA3, 0xB5, 0x27, 0xA4, 0xB0, 0x2B, 0x2D, 0x7C,
                                      0x60, 0x5E, 0x3D, 0xE8, 0xEA, 0xE9, 0xEB, 0xE7, 0xE0,
                                      0xE4, 0xE2, 0xFC, 0xFB, 0xF9, 0xEE, 0xEF, 0xF6, 0xF4};
  EXPECT_THAT(FrmCopy::ForbiddenFolderChars, ElementsAreArray(expected));
}

// Each row: what the user types at each prompt, the messages shown, the folder made.
TEST_F(FolderCreationTest, EachNameGivesItsOutcome) {
  struct Row {
    std::vector<std::optional<std::wstring>> answers;
    std::vector<std::wstring_view> messages;
    std::set<std::wstring> made;
  };
  const std::optional<std::wstring> cancel;
  const std::vector<Row> rows{
      {{cancel}, {}, {}},
      {{L""}, {}, {}},
      {{L"   "}, {}, {}},
      {{L"Nouveau dossier"}, {}, {L"Nouveau dossier"}},
      {{L"Nouveau dossier"}, {kTaken}, {}},
      {{L"archives"}, {kTaken}, {}},
      {{L"RAPPOR~1.TXT"}, {kTaken}, {}},  // the alias of a file
      {{L"  essai"}, {}, {L"  essai"}},
      {{L"a_b"}, {}, {L"a_b"}},
      {{L"a.b"}, {}, {L"a.b"}},
      {{L"Rapport 2007"}, {}, {L"Rapport 2007"}},
      {{L"DONNÉES"}, {}, {L"DONNÉES"}},
      {{L"Φάκελος Папка"}, {}, {L"Φάκελος Папка"}},
      {{L"a-b", L"x+y", L"données", L"dossier;", cancel},
       {kRefusedCharacter, kRefusedCharacter, kRefusedCharacter, kRefusedCharacter},
       {}},
      {{L";dossier", L"Bon"}, {kRefusedCharacter}, {L"Bon"}},
      {{L"a-b+c", cancel}, {kRefusedCharacter}, {}},  // two forbidden characters, one box
      {{L"a\"b"}, {kInvalidName}, {}},
      {{L"CON"}, {kInvalidName}, {}},
  };
  Start();
  for (const Row& row : rows) {
    platform.dialogs.messages.clear();
    platform.dialogs.inputs.clear();
    EXPECT_EQ(Create(row.answers), row.made) << row.answers.size();
    EXPECT_THAT(Messages(), ElementsAreArray(row.messages));
    ASSERT_EQ(platform.dialogs.inputs.size(), row.answers.size());
    for (const auto& prompt : platform.dialogs.inputs) {
      EXPECT_EQ(prompt.prompt, L"Nom du dossier à créer");
      EXPECT_EQ(prompt.title, L"Création d'un dossier");
      EXPECT_EQ(prompt.default_answer, L"Nouveau dossier");
    }
  }
}

// Neither pane moves; both show the new folder; the job paths stay.
TEST_F(FolderCreationTest, BothPanesShowTheNewFolderWithoutMoving) {
  FrmCopy& w = Start();
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  const std::wstring target = module1.TargetDir;
  EXPECT_EQ(Create({L"Nouveau dossier"}), std::set<std::wstring>{L"Nouveau dossier"});
  EXPECT_EQ(w.Repertoire1.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Repertoire2.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Repertoire1.ListCount(), 2U);
  EXPECT_EQ(w.Repertoire2.Entries().back().text, L"Nouveau dossier");
  EXPECT_EQ(w.Fichier1.ListCount(), 5U);
  EXPECT_EQ(w.Fichier2.ListCount(), 6U);
  EXPECT_EQ(module1.TargetDir, target);
}

TEST_F(FolderCreationTest, AtADriveRootTheNameFollowsASingleBackslash) {
  FrmCopy& w = Start();
  w.Repertoire2.SetPath(L"D:\\");
  platform.dialogs.input_answers = {L"Nouveau dossier"};
  w.Commande1_Click();
  EXPECT_EQ(platform.files.ResolveFolder(L"D:\\Nouveau dossier", L""), L"D:\\Nouveau dossier");
  EXPECT_EQ(w.Repertoire2.Entries().back().path, L"D:\\Nouveau dossier");
}

// Failure block: the message tells what happened, and nothing after the failing step runs (the
// file lists are not read again).
TEST_F(FolderCreationTest, AFailureShowsThePlatformsReasonAndRefreshesNothing) {
  FrmCopy& w = Start();
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  struct Row {
    std::function<void()> arrange;
    std::wstring message;
  };
  const std::vector<Row> rows{
      {[&] { platform.files.DenyWrites(L"C:\\DONNEES"); },
       L"Impossible de créer le dossier :\rAccès refusé."},
      {[&] { platform.files.SetReady(L'C', false); },
       L"Impossible de créer le dossier :\rLe périphérique n'est pas prêt."},
      {[&] { platform.files.FailOn(MemoryFileSystem::Operation::kCreateFolder); },
       L"Impossible de créer le dossier :"},
  };
  for (const Row& row : rows) {
    platform.dialogs.messages.clear();
    row.arrange();
    platform.dialogs.input_answers = {L"Nouveau dossier"};
    w.Commande1_Click();
    EXPECT_THAT(Messages(), ElementsAreArray({row.message}));
    EXPECT_EQ(w.Fichier1.ListCount(), 4U);
  }
}

}  // namespace
}  // namespace tassefiche
