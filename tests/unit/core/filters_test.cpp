// The display pattern and the attribute switches of both file lists, over the in-memory platform.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "frm_copy_fixture.h"

namespace tassefiche {
namespace {

// What the two lists and the count line show, and the box's text.
struct Seen {
  std::size_t source;
  std::size_t target;
  std::wstring count;
  std::wstring text;
  bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
  *out << seen.source << " source, " << seen.target << " target, box of " << seen.text.size()
       << " characters";
}

class FiltersTest : public FrmCopyTest {
 protected:
  FiltersTest() {
    platform.files.AddFile(L"C:\\DONNEES\\OUTIL.EXE");
    platform.files.AddFile(L"C:\\DONNEES\\secret.exe", kAttrArchive | kAttrHidden);
    platform.files.AddFile(L"C:\\DONNEES\\systeme.sys", kAttrSystem);
    platform.files.AddFile(L"C:\\DONNEES\\lecture.txt", kAttrReadOnly);
  }

  Seen Now() const {
    return {form->Fichier1.ListCount(), form->Fichier2.ListCount(), form->Label2.Caption(),
            form->Text1.Text()};
  }
};

TEST_F(FiltersTest, EachOptionPutsItsPatternInTheBoxAndAppliesItToBothLists) {
  FrmCopy& w = Start();
  struct Row {
    OptionButton* option;
    Seen seen;
  };
  const std::vector<Row> rows{
      {&w.Option2, {1, 1, L" 1 Fichiers", L"*.??_"}},
      {&w.Option3, {1, 2, L" 1 Fichiers", L"*.exe"}},
      {&w.Option1, {5, 9, L" 5 Fichiers", L"*.*"}},
  };
  for (const Row& row : rows) {
    row.option->Select();
    EXPECT_EQ(Now(), row.seen);
    EXPECT_EQ(w.Fichier1.Pattern(), row.seen.text);
    EXPECT_EQ(w.Fichier2.Pattern(), row.seen.text);
  }
  EXPECT_TRUE(platform.dialogs.messages.empty());
}

// Every keystroke is a pattern of its own; the selected option stays as it was.
TEST_F(FiltersTest, TypingAppliesThePatternAtEveryKeystroke) {
  FrmCopy& w = Start();
  w.Option2.Select();
  const std::vector<std::pair<std::wstring, Seen>> keystrokes{
      {L"r", {0, 0, L" 0 Fichiers", L"r"}},           {L"r*", {3, 3, L" 3 Fichiers", L"r*"}},
      {L"r*.", {0, 0, L" 0 Fichiers", L"r*."}},       {L"r*.t", {0, 0, L" 0 Fichiers", L"r*.t"}},
      {L"r*.tx?", {3, 3, L" 3 Fichiers", L"r*.tx?"}},
  };
  for (const auto& [typed, seen] : keystrokes) {
    w.Text1.Edited(typed);
    EXPECT_EQ(Now(), seen);
  }
  EXPECT_TRUE(w.Option2.Value());
  EXPECT_FALSE(w.Option1.Value());
}

// When the box already shows the option's pattern, the direct run still applies it anew.
TEST_F(FiltersTest, AnOptionReappliesAPatternTheUserTyped) {
  FrmCopy& w = Start();
  w.Text1.Edited(L"*.exe");
  platform.files.AddFile(L"C:\\DONNEES\\NOUVEAU.EXE");
  w.Option3.Select();
  EXPECT_EQ(Now(), (Seen{2, 3, L" 2 Fichiers", L"*.exe"}));
}

// Failure block: one box, then "*.*" in the box (a nested run refreshes and counts) and in both
// lists; the option buttons stay.
TEST_F(FiltersTest, ARefusedPatternIsReportedOnceAndReplacedByTheDefault) {
  FrmCopy& w = Start();
  w.Option3.Select();
  w.Text1.Edited(L"*.t|");
  ASSERT_EQ(platform.dialogs.messages.size(), 1U);
  EXPECT_EQ(platform.dialogs.messages[0].text, L"Filtre incorrect !");
  EXPECT_EQ(platform.dialogs.messages[0].title, L"Erreur");
  EXPECT_EQ(platform.dialogs.messages[0].style, 16);
  EXPECT_EQ(Now(), (Seen{5, 9, L" 5 Fichiers", L"*.*"}));
  EXPECT_EQ(w.Fichier1.Pattern(), L"*.*");
  EXPECT_EQ(w.Fichier2.Pattern(), L"*.*");
  EXPECT_TRUE(w.Option3.Value());
}

// With "*.*" already in the box there is no nested run: the block sets the patterns and neither
// refreshes nor counts; the steps after the failing one never ran.
TEST_F(FiltersTest, AFailureWithTheDefaultInTheBoxRunsNothingMore) {
  platform.files.RefuseWatches(L"C:\\DONNEES");  // so that every refresh reads, and fails
  FrmCopy& w = Start();
  w.Text1.Edited(L"*.exe");
  platform.files.FailOn(MemoryFileSystem::Operation::kListFolder);
  w.Option1.Select();
  EXPECT_EQ(platform.dialogs.messages.size(), 2U);  // the nested run and the direct run
  EXPECT_EQ(w.Text1.Text(), L"*.*");
  EXPECT_EQ(w.Fichier2.Pattern(), L"*.*");
  EXPECT_EQ(w.Label2.Caption(), L" 1 Fichiers");
}

// Each box sets its own switch on both lists and leaves the three others as they were.
TEST_F(FiltersTest, ACheckBoxSetsItsSwitchOnBothListsOnly) {
  FrmCopy& w = Start();
  struct Row {
    CheckBox* box;
    bool AttributeSwitches::*which;
    int value;
    std::wstring count;
  };
  const std::vector<Row> rows{
      {&w.Check2, &AttributeSwitches::hidden, CheckBox::kChecked, L" 7 Fichiers"},
      {&w.Check2, &AttributeSwitches::hidden, CheckBox::kUnchecked, L" 5 Fichiers"},
      {&w.Check3, &AttributeSwitches::system, CheckBox::kChecked, L" 6 Fichiers"},
      {&w.Check4, &AttributeSwitches::read_only, CheckBox::kGrayed, L" 6 Fichiers"},
      {&w.Check1, &AttributeSwitches::archive, CheckBox::kUnchecked, L" 1 Fichiers"},
  };
  for (const Row& row : rows) {
    AttributeSwitches source = w.Fichier1.Switches();
    AttributeSwitches target = w.Fichier2.Switches();
    source.*row.which = target.*row.which = row.value == CheckBox::kChecked;
    row.box->SetValue(row.value);
    EXPECT_EQ(w.Fichier1.Switches(), source) << row.count;
    EXPECT_EQ(w.Fichier2.Switches(), target) << row.count;
    EXPECT_EQ(w.Label2.Caption(), row.count);
  }
}

}  // namespace
}  // namespace tassefiche
