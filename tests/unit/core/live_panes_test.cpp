// Panes that follow the disk, and the outcome of every job, over the in-memory platform: changes
// arrive through its event loop, whose clock the test moves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "frm_copy_fixture.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono_literals;

class LivePanesTest : public FrmCopyTest {
 protected:
  std::vector<std::wstring> Source() const {
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < form->Fichier1.ListCount(); ++i)
      names.push_back(form->Fichier1.List(i));
    return names;
  }
  void Settle() { platform.loop.RunFor(500ms); }
};

// Each change shows within half a second, in both lists of the folder, with the count line.
TEST_F(LivePanesTest, ChangesOnTheDiskShowByThemselves) {
  FrmCopy& w = Start();
  struct Row {
    std::function<void()> change;
    std::vector<std::wstring> source;
    std::size_t target;
  };
  const std::vector<Row> rows{
      {[&] { platform.files.AddFile(L"C:\\DONNEES\\NOUVEAU.TX_"); },
       {L"notes.data_", L"NOUVEAU.TX_", L"rapport annuel.txt", L"RAPPORT.TXT", L"RAPPORT.TX_"},
       6},
      {[&] { platform.files.Rename(L"C:\\DONNEES\\NOUVEAU.TX_", L"AUTRE.TX_"); },
       {L"AUTRE.TX_", L"notes.data_", L"rapport annuel.txt", L"RAPPORT.TXT", L"RAPPORT.TX_"},
       6},
      {[&] { platform.files.SetAttributes(L"C:\\DONNEES\\AUTRE.TX_", kAttrHidden); },
       {L"notes.data_", L"rapport annuel.txt", L"RAPPORT.TXT", L"RAPPORT.TX_"},
       6},
      {[&] { platform.files.Remove(L"C:\\DONNEES\\AUTRE.TX_"); },
       {L"notes.data_", L"rapport annuel.txt", L"RAPPORT.TXT", L"RAPPORT.TX_"},
       5},
  };
  for (const Row& row : rows) {
    const std::vector<std::wstring> before = Source();
    row.change();
    platform.loop.RunFor(FolderFollower::kSettle / 2);
    EXPECT_EQ(Source(), before);  // not yet: the changes settle first
    Settle();
    EXPECT_EQ(Source(), row.source);
    EXPECT_EQ(w.Label2.Caption(), L" " + std::to_wstring(row.source.size()) + L" Fichiers");
    EXPECT_EQ(w.Fichier2.ListCount(), row.target);
  }
  platform.files.AddFolder(L"C:\\DONNEES\\Nouveau dossier");
  Settle();
  EXPECT_EQ(w.Repertoire1.Entries().back().text, L"Nouveau dossier");
  EXPECT_EQ(w.Repertoire2.Entries().back().text, L"Nouveau dossier");
  EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(LivePanesTest, TheSelectionAndTheHighlightSurviveARead) {
  platform.files.AddFolder(L"C:\\DONNEES\\Archives");
  FrmCopy& w = Start();
  w.Repertoire1.Click(w.Repertoire1.Entries().size() - 1);
  ClickSource(L"RAPPORT.TXT");
  platform.files.AddFile(L"C:\\DONNEES\\AAA.TXT");
  platform.files.AddFolder(L"C:\\DONNEES\\Aaa");
  Settle();
  EXPECT_EQ(w.Fichier1.FileName(), L"RAPPORT.TXT");
  ASSERT_TRUE(w.Repertoire1.Highlighted().has_value());
  EXPECT_EQ(w.Repertoire1.Entries()[*w.Repertoire1.Highlighted()].text, L"Archives");
  EXPECT_TRUE(w.BtCompres.Enabled());
  platform.files.Remove(L"C:\\DONNEES\\RAPPORT.TXT");
  Settle();
  EXPECT_EQ(w.Fichier1.FileName(), L"");
}

// A burst of changes costs one read per list once the folder has settled, however long it lasts,
// and none before: two file lists and two folder lists, all on C:\DONNEES.
TEST_F(LivePanesTest, ABurstOfChangesIsReadOncePerListWhenItSettles) {
  struct Row {
    int changes;
    std::chrono::milliseconds apart;
  };
  const std::vector<Row> rows{{1000, 0ms}, {100, 10ms}, {9, FolderFollower::kSettle - 10ms}};
  Start();
  std::size_t files = 4;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.changes);
    const std::size_t before = platform.files.folder_reads;
    for (int i = 0; i < row.changes; ++i) {
      platform.files.AddFile(L"C:\\DONNEES\\copie " + std::to_wstring(++files) + L".txt");
      platform.loop.RunFor(row.apart);
    }
    EXPECT_EQ(platform.files.folder_reads, before);
    Settle();
    EXPECT_EQ(platform.files.folder_reads - before, 4U);
    EXPECT_EQ(form->Label2.Caption(), L" " + std::to_wstring(files) + L" Fichiers");
  }
}

// Changes that never settle are read now and then all the same, at most once per list in each
// longest wait, without waiting for them to end.
TEST_F(LivePanesTest, AFolderThatNeverSettlesIsReadNowAndThen) {
  Start();
  const std::size_t before = platform.files.folder_reads;
  const int changes = 50;
  const auto apart = FolderFollower::kSettle / 2;
  for (int i = 0; i < changes; ++i) {
    platform.files.AddFile(L"C:\\DONNEES\\flux " + std::to_wstring(i) + L".txt");
    platform.loop.RunFor(apart);
  }
  const std::size_t during = platform.files.folder_reads - before;
  EXPECT_GE(during, 4U);
  EXPECT_LE(during, 4U * static_cast<std::size_t>(changes * apart / FolderFollower::kLongestWait));
  Settle();
  EXPECT_EQ(form->Label2.Caption(), L" 54 Fichiers");
}

TEST_F(LivePanesTest, AFolderThatVanishesLeavesTheListAsItWas) {
  platform.files.AddFile(L"D:\\ARCHIVES\\VIEUX.TX_");
  FrmCopy& w = Start();
  w.Repertoire1.SetPath(L"D:\\ARCHIVES");
  platform.files.Remove(L"D:\\ARCHIVES");
  Settle();
  EXPECT_EQ(w.Fichier1.ListCount(), 1U);
  EXPECT_EQ(w.Repertoire1.Path(), L"D:\\ARCHIVES");
  EXPECT_EQ(w.Label2.Caption(), L" 1 Fichiers");
  EXPECT_TRUE(platform.dialogs.messages.empty());
}

// A refresh of a watched folder that has not changed reuses the last read; one after a change, or
// of a folder that cannot be watched, reads.
TEST_F(LivePanesTest, ARefreshReadsOnlyWhenTheFolderMayHaveChanged) {
  platform.files.AddFolder(L"D:\\PARTAGE");
  platform.files.RefuseWatches(L"D:\\PARTAGE");
  FrmCopy& w = Start();
  const auto reads_of = [&](const std::function<void()>& work) {
    const std::size_t before = platform.files.folder_reads;
    work();
    return platform.files.folder_reads - before;
  };
  EXPECT_EQ(reads_of([&] { w.Text1.Edited(L"*.TX?"); }), 0U);
  platform.files.AddFile(L"C:\\DONNEES\\NOUVEAU.TXT");
  EXPECT_EQ(reads_of([&] { w.Text1.Edited(L"*.TXT"); }), 2U);  // before the change was heard
  EXPECT_EQ(w.Label2.Caption(), L" 3 Fichiers");
  EXPECT_EQ(reads_of([&] { w.Form_Click(); }), 0U);
  w.Repertoire1.SetPath(L"D:\\PARTAGE");
  EXPECT_EQ(reads_of([&] { w.Repertoire1_Click(); }), 1U);
  EXPECT_EQ(reads_of([&] { w.Repertoire1_Click(); }), 1U);
}

class JobOutcomeTest : public FrmCopyTest {
 protected:
  void Compress(std::wstring_view name) {
    ClickSource(name);
    form->BtCompres_Click();
  }
};

// A failure shows the tool's own lines once and re-arms the button; a success shows nothing.
TEST_F(JobOutcomeTest, EachToolOutcomeIsToldOnce) {
  FrmCopy& w = Start();
  Compress(L"RAPPORT.TXT");
  Compress(L"rapport annuel.txt");
  ASSERT_EQ(platform.processes.launched.size(), 2U);
  EXPECT_FALSE(w.BtCompres.Enabled());
  platform.processes.End(0, {3, L"COMPRESS : disque plein.\r\nRAPPORT.TX_ inchangé.\n"});
  platform.processes.End(1, {0, L""});
  platform.loop.RunPending();
  ASSERT_EQ(platform.dialogs.messages.size(), 1U);
  EXPECT_EQ(platform.dialogs.messages[0].text, L"COMPRESS : disque plein.\rRAPPORT.TX_ inchangé.");
  EXPECT_EQ(platform.dialogs.messages[0].title, L"Erreur");
  EXPECT_EQ(platform.dialogs.messages[0].style, 16);
  // The first job's source is no longer the file last clicked: its button stays as it is.
  EXPECT_FALSE(w.BtCompres.Enabled());
  platform.loop.RunFor(1s);
  EXPECT_EQ(platform.dialogs.messages.size(), 1U);
}

// While any tool of a job runs, the pointer is the arrow with an hourglass; the last to end, in
// whatever order and with whatever outcome, gives the normal pointer back. A tool that does not
// start, or whose end the platform cannot hear, leaves the pointer as it is.
TEST_F(JobOutcomeTest, ThePointerSaysWhileAnyToolRuns) {
  const std::vector<std::vector<std::size_t>> orders{{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                                     {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const auto& order : orders) {
    SCOPED_TRACE(::testing::PrintToString(order));
    platform.processes.launched.clear();
    FrmCopy& w = Start();
    EXPECT_EQ(w.Pointer(), MousePointer::kDefault);
    Compress(L"RAPPORT.TXT");
    EXPECT_EQ(w.Pointer(), MousePointer::kArrowHourglass);
    Compress(L"rapport annuel.txt");
    ClickSource(L"RAPPORT.TX_");
    platform.dialogs.input_answers = {L"COPIE.TXT"};
    w.BtDecomp_Click();
    ASSERT_EQ(platform.processes.launched.size(), 3U);
    for (std::size_t ended = 0; ended < order.size(); ++ended) {
      EXPECT_EQ(w.Pointer(), MousePointer::kArrowHourglass);
      const int status = order[ended] == 1 ? 2 : 0;
      platform.processes.End(order[ended], {status, L""});
      platform.loop.RunPending();
    }
    EXPECT_EQ(w.Pointer(), MousePointer::kDefault);
  }

  platform.processes.launched.clear();
  FrmCopy& w = Start();
  platform.files.Remove(L"C:\\Outils\\Compression\\COMPRESS.EXE");
  Compress(L"RAPPORT.TXT");
  EXPECT_EQ(platform.dialogs.messages.back().text, L"Erreur");
  EXPECT_EQ(w.Pointer(), MousePointer::kDefault);
  platform.processes.watch_no_more = true;
  ClickSource(L"RAPPORT.TX_");
  w.BtDecomp_Click();
  EXPECT_EQ(platform.processes.launched.size(), 1U);
  EXPECT_EQ(w.Pointer(), MousePointer::kDefault);
}

TEST_F(JobOutcomeTest, AFailureReArmsTheButtonOfItsSourceAndSaysItsStatusWhenMute) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  platform.dialogs.input_answers = {L"COPIE.TXT"};
  w.BtDecomp_Click();
  EXPECT_FALSE(w.BtDecomp.Enabled());
  platform.processes.End(0, {12, L""});
  platform.loop.RunPending();
  ASSERT_EQ(platform.dialogs.messages.size(), 1U);
  EXPECT_EQ(platform.dialogs.messages[0].text, L"L'outil s'est arrêté sur une erreur (code 12).");
  EXPECT_TRUE(w.BtDecomp.Enabled());
  EXPECT_FALSE(w.BtCompres.Enabled());
}

}  // namespace
}  // namespace tassefiche
