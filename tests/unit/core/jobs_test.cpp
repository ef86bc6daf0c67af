// The jobs through the main window: the arming rule of a click in the source list, then the
// compression and the expansion as the user starts them, over the in-memory platform.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "frm_copy_fixture.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

constexpr std::wstring_view kPrompt =
    L"Donner le nom du fichier à décompresser dans le dossier destination\r"
    L"8 Caractères maxi pour le nom du fichier destination\r"
    L"(sans suffixe)";

class JobsTest : public FrmCopyTest {
 protected:
  std::wstring LastLine() const {
    return platform.processes.launched.empty() ? L""
                                               : platform.processes.launched.back().command_line;
  }
  void ExpectJobErrorBox() const {
    ASSERT_EQ(platform.dialogs.messages.size(), 1U);
    EXPECT_EQ(platform.dialogs.messages[0].text, L"Erreur");
    EXPECT_EQ(platform.dialogs.messages[0].style, 0);
    EXPECT_EQ(platform.dialogs.messages[0].title, L"Tassefiche");
  }
};

// The arming rule.

TEST_F(JobsTest, ACompressedNameArmsExpansionOnly) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  EXPECT_EQ(module1.SourceFile, L"C:\\DONNEES\\RAPPORT.TX_");
  EXPECT_TRUE(w.BtDecomp.Enabled());
  EXPECT_FALSE(w.BtCompres.Enabled());
  ClickSource(L"RAPPORT.TXT");
  EXPECT_EQ(module1.SourceFile, L"C:\\DONNEES\\RAPPORT.TXT");
  EXPECT_FALSE(w.BtDecomp.Enabled());
  EXPECT_TRUE(w.BtCompres.Enabled());
}

TEST_F(JobsTest, OnlyTheShortAliasCounts) {
  FrmCopy& w = Start();
  ClickSource(L"notes.data_");
  EXPECT_EQ(module1.SourceFile, L"C:\\DONNEES\\NOTES~1.DAT");
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_FALSE(w.BtDecomp.Enabled());
  ClickSource(L"rapport annuel.txt");
  EXPECT_EQ(module1.SourceFile, L"C:\\DONNEES\\RAPPOR~1.TXT");
}

TEST_F(JobsTest, WithoutASelectedEntryCompressionKeepsItsState) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  w.Fichier1.Refresh();  // the selection is gone
  w.Fichier1_Click();
  EXPECT_EQ(module1.SourceFile, L"C:\\DONNEES\\");
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_FALSE(w.BtDecomp.Enabled());
}

TEST_F(JobsTest, NoShortFormLeavesBothButtonsButTheCountLineFollows) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  w.Fichier1.Refresh();
  platform.files.Remove(L"C:\\DONNEES\\nouveau.txt");  // listed, but gone
  ClickSource(L"nouveau.txt");
  EXPECT_EQ(module1.SourceFile, L"");
  EXPECT_TRUE(w.BtDecomp.Enabled());
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_EQ(w.Label2.Caption(), L" 5 Fichiers");
}

TEST_F(JobsTest, APatternChangeLeavesTheArmedButtonAndTheSourceFile) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TXT");
  w.Fichier1.SetPattern(L"*.??_");
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_EQ(module1.SourceFile, L"C:\\DONNEES\\RAPPORT.TXT");
}

// The compression.

TEST_F(JobsTest, CompressionLaunchesTheExactLineHiddenThenDisarms) {
  FrmCopy& w = Start();
  w.Repertoire2.SetPath(L"D:\\ARCHIVES");
  ClickSource(L"RAPPORT.TXT");
  platform.files.ChangeDirectory(L"D:\\");
  platform.files.AddFile(L"C:\\DONNEES\\vient.txt");
  w.BtCompres.Press();

  ASSERT_EQ(platform.processes.launched.size(), 1U);
  const MemoryProcesses::Launched& launched = platform.processes.launched[0];
  EXPECT_EQ(launched.program, L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE");
  EXPECT_EQ(launched.command_line,
            L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE -R C:\\DONNEES\\RAPPORT.TXT D:\\ARCHIVES");
  EXPECT_EQ(launched.style, WindowStyle::kHidden);
  EXPECT_EQ(module1.TargetDir, L"D:\\ARCHIVES");
  EXPECT_EQ(platform.files.CurrentDirectory(), L"C:\\DONNEES");
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_EQ(w.Fichier1.ListCount(), 5U);          // refreshed
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");  // not updated by the job
  EXPECT_THAT(platform.dialogs.messages, IsEmpty());
}

TEST_F(JobsTest, CompressionLineForms) {
  FrmCopy& w = Start();
  // A long source name goes in its short form; a drive root target keeps its backslash.
  w.Repertoire2.SetPath(L"D:\\");
  ClickSource(L"rapport annuel.txt");
  w.BtCompres.Press();
  EXPECT_EQ(LastLine(), L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE -R C:\\DONNEES\\RAPPOR~1.TXT D:\\");
  // A drive root as application directory: no doubled backslash.
  platform.files.AddDrive(L'E');
  platform.files.AddFile(L"E:\\COMPRESS.EXE");
  module1.AppPath = L"E:\\";
  ClickSource(L"RAPPORT.TXT");
  w.BtCompres.Press();
  EXPECT_EQ(LastLine(), L"E:\\COMPRESS.EXE -R C:\\DONNEES\\RAPPORT.TXT D:\\");
  EXPECT_EQ(platform.processes.launched.back().program, L"E:\\COMPRESS.EXE");
}

TEST_F(JobsTest, CompressionWithoutAShortTargetEndsAfterTheSource) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TXT");
  platform.files.FailOn(MemoryFileSystem::Operation::kShortPath);
  w.BtCompres.Press();
  EXPECT_EQ(LastLine(), L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE -R C:\\DONNEES\\RAPPORT.TXT");
}

TEST_F(JobsTest, AnApplicationFolderWithBlanksIsQuotedAndStartedByItsPath) {
  platform.files.AddFile(L"C:\\Program Files\\Tassefiche\\COMPRESS.EXE");
  platform.files.AddFile(L"C:\\Program.exe");  // must never run in the tool's place
  platform.application.path = L"C:\\Program Files\\Tassefiche";
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TXT");
  w.BtCompres.Press();
  ASSERT_EQ(platform.processes.launched.size(), 1U);
  EXPECT_EQ(platform.processes.launched[0].program, L"C:\\PROGRAM FILES\\TASSEFICHE\\COMPRESS.EXE");
  EXPECT_EQ(
      LastLine(),
      L"\"C:\\PROGRAM FILES\\TASSEFICHE\\COMPRESS.EXE\" -R C:\\DONNEES\\RAPPORT.TXT C:\\DONNEES");
}

TEST_F(JobsTest, PathsWithBlanksOnAVolumeWithoutShortNamesAreQuoted) {
  platform.files.AddDrive(L'N', L"NOUVEAU", true, /*short_names=*/false);
  platform.files.AddFile(L"N:\\Mes documents\\rapport annuel.txt");
  platform.files.AddFolder(L"N:\\Mes archives");
  platform.files.ChangeDirectory(L"N:\\Mes documents");
  platform.files.ChangeDirectory(L"N:\\Mes archives");
  platform.files.ChangeDirectory(L"N:\\Mes documents");
  FrmCopy& w = Start();
  w.Repertoire2.SetPath(L"N:\\Mes archives");
  ClickSource(L"rapport annuel.txt");
  w.BtCompres.Press();
  EXPECT_EQ(LastLine(),
            L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE -R "
            L"\"N:\\MES DOCUMENTS\\RAPPORT ANNUEL.TXT\" \"N:\\MES ARCHIVES\"");
}

TEST_F(JobsTest, AMissingToolShowsErreurAndKeepsTheButton) {
  platform.files.Remove(L"C:\\Outils\\Compression\\COMPRESS.EXE");
  FrmCopy& w = Start();
  w.Repertoire2.SetPath(L"D:\\ARCHIVES");
  ClickSource(L"RAPPORT.TXT");
  w.BtCompres.Press();
  ExpectJobErrorBox();
  EXPECT_THAT(platform.processes.launched, IsEmpty());
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_EQ(module1.TargetDir, L"D:\\ARCHIVES");  // recomputed before the failing launch
}

TEST_F(JobsTest, ASourceFolderThatCannotBeMadeCurrentLaunchesNothing) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TXT");
  platform.files.FailOn(MemoryFileSystem::Operation::kChangeDirectory);
  w.BtCompres.Press();
  ExpectJobErrorBox();
  EXPECT_THAT(platform.processes.launched, IsEmpty());
  EXPECT_TRUE(w.BtCompres.Enabled());
}

// The expansion.

TEST_F(JobsTest, ExpansionAsksForTheNameThenLaunchesTheExactLine) {
  FrmCopy& w = Start();
  w.Repertoire2.SetPath(L"D:\\ARCHIVES");
  w.BtCompres.Press();  // a disabled button cannot be pressed
  ClickSource(L"RAPPORT.TX_");
  module1.TargetDir = L"D:\\ARCHIVES";
  platform.dialogs.input_answers.push_back(L"rapport.txt");
  w.BtDecomp.Press();

  ASSERT_EQ(platform.dialogs.inputs.size(), 1U);
  EXPECT_EQ(platform.dialogs.inputs[0].title, L"Nom du fichier à décompresser");
  EXPECT_EQ(platform.dialogs.inputs[0].prompt, kPrompt);
  EXPECT_EQ(platform.dialogs.inputs[0].default_answer, L"RAPPORT.TX_");
  ASSERT_EQ(platform.processes.launched.size(), 1U);
  EXPECT_EQ(platform.processes.launched[0].program, L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE");
  EXPECT_EQ(
      LastLine(),
      L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPORT.TX_ D:\\ARCHIVES\\RAPPORT.TXT");
  EXPECT_EQ(platform.processes.launched[0].style, WindowStyle::kHidden);
  EXPECT_FALSE(w.BtDecomp.Enabled());
  EXPECT_EQ(platform.files.CurrentDirectory(), L"C:\\DONNEES");
}

TEST_F(JobsTest, ExpansionDestinationForms) {
  FrmCopy& w = Start();
  // Right after start-up the destination is in the folder the target list shows.
  ClickSource(L"RAPPORT.TX_");
  platform.dialogs.input_answers.push_back(L"rapport");
  w.BtDecomp.Press();
  EXPECT_EQ(LastLine(),
            L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPORT.TX_ C:\\DONNEES\\RAPPORT");
  // At a drive root, a single backslash; the default answer is taken as it is.
  module1.TargetDir = L"D:\\";
  ClickSource(L"RAPPORT.TX_");
  w.BtDecomp.Press();
  EXPECT_EQ(LastLine(),
            L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPORT.TX_ D:\\RAPPORT.TX_");
  // Neither the length nor the suffix of the answer is checked.
  ClickSource(L"RAPPORT.TX_");
  platform.dialogs.input_answers.push_back(L"un_nom_bien_trop_long.document");
  w.BtDecomp.Press();
  EXPECT_EQ(LastLine(),
            L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPORT.TX_ "
            L"D:\\UN_NOM_BIEN_TROP_LONG.DOCUMENT");
}

TEST_F(JobsTest, TheSourceIsTheShortFormWhileTheDefaultIsTheListedName) {
  platform.files.AddFile(L"C:\\DONNEES\\rapport annuel.tx_");
  FrmCopy& w = Start();
  ClickSource(L"rapport annuel.tx_");
  EXPECT_TRUE(w.BtDecomp.Enabled());
  w.BtDecomp.Press();
  EXPECT_EQ(platform.dialogs.inputs.back().default_answer, L"rapport annuel.tx_");
  // The typed name holds a blank: the destination is quoted so that the tool gets it whole.
  EXPECT_EQ(LastLine(),
            L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPOR~1.TX_ "
            L"\"C:\\DONNEES\\RAPPORT ANNUEL.TX_\"");
}

TEST_F(JobsTest, CancelOrAnEmptyAnswerEndsSilently) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  platform.files.AddFile(L"C:\\DONNEES\\vient.txt");
  platform.dialogs.input_answers.push_back(std::nullopt);
  w.BtDecomp.Press();
  platform.dialogs.input_answers.push_back(L"");
  w.BtDecomp.Press();
  EXPECT_EQ(platform.dialogs.inputs.size(), 2U);
  EXPECT_THAT(platform.processes.launched, IsEmpty());
  EXPECT_THAT(platform.dialogs.messages, IsEmpty());
  EXPECT_TRUE(w.BtDecomp.Enabled());
  EXPECT_EQ(w.Fichier1.ListCount(), 4U);  // not refreshed
}

TEST_F(JobsTest, ABlankAnswerIsLaunched) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  module1.TargetDir = L"D:\\ARCHIVES";
  platform.dialogs.input_answers.push_back(L"   ");
  w.BtDecomp.Press();
  EXPECT_EQ(LastLine(),
            L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPORT.TX_ D:\\ARCHIVES\\");
}

TEST_F(JobsTest, NoTargetFolderShowsErreurAfterTheQuestion) {
  platform.files.FailOn(MemoryFileSystem::Operation::kShortPath);
  FrmCopy& w = Start();  // TargetDir stays empty
  platform.files.FailOn(MemoryFileSystem::Operation::kShortPath, false);
  ClickSource(L"RAPPORT.TX_");
  w.BtDecomp.Press();
  EXPECT_EQ(platform.dialogs.inputs.size(), 1U);
  ExpectJobErrorBox();
  EXPECT_THAT(platform.processes.launched, IsEmpty());
  EXPECT_TRUE(w.BtDecomp.Enabled());
}

TEST_F(JobsTest, AMissingExpanderShowsErreurAndKeepsTheButton) {
  platform.files.Remove(L"C:\\Outils\\Compression\\EXPAND.EXE");
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  w.BtDecomp.Press();
  ExpectJobErrorBox();
  EXPECT_TRUE(w.BtDecomp.Enabled());
}

TEST_F(JobsTest, WithNoSelectedEntryNothingIsAskedAndTheButtonIsDisarmed) {
  FrmCopy& w = Start();
  ClickSource(L"RAPPORT.TX_");
  w.Fichier1.Refresh();
  w.BtDecomp.Press();
  EXPECT_THAT(platform.dialogs.inputs, IsEmpty());
  EXPECT_THAT(platform.processes.launched, IsEmpty());
  EXPECT_FALSE(w.BtDecomp.Enabled());
}

}  // namespace
}  // namespace tassefiche
