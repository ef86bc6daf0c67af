#include "jobs/command_line.h"

#include <gtest/gtest.h>

#include "platform/memory/memory_file_system.h"

namespace tassefiche {
namespace {

TEST(QuotedIfBlank, LeavesArgumentsWithoutBlanksExactlyAsTheyAre) {
  EXPECT_EQ(QuotedIfBlank(L"C:\\DONNEES\\RAPPORT.TXT"), L"C:\\DONNEES\\RAPPORT.TXT");
  EXPECT_EQ(QuotedIfBlank(L"D:\\"), L"D:\\");
  EXPECT_EQ(QuotedIfBlank(L""), L"");
  EXPECT_EQ(QuotedIfBlank(L"a\"b"), L"a\"b");
}

// Quoted as the C runtime of the tool splits its command line back into the same argument.
TEST(QuotedIfBlank, QuotesArgumentsWithBlanksSoThatTheyArriveWhole) {
  EXPECT_EQ(QuotedIfBlank(L"C:\\PROGRAM FILES\\TASSEFICHE\\COMPRESS.EXE"),
            L"\"C:\\PROGRAM FILES\\TASSEFICHE\\COMPRESS.EXE\"");
  EXPECT_EQ(QuotedIfBlank(L"D:\\MES DOCS\\"), L"\"D:\\MES DOCS\\\\\"");
  EXPECT_EQ(QuotedIfBlank(L"D:\\A B\\x\"y"), L"\"D:\\A B\\x\\\"y\"");
  EXPECT_EQ(QuotedIfBlank(L"  RAPPORT"), L"\"  RAPPORT\"");
}

TEST(ExpansionDestination, PutsOneBackslashBetweenFolderAndName) {
  EXPECT_EQ(ExpansionDestination(L"D:\\ARCHIVES", L"rapport"), L"D:\\ARCHIVES\\rapport");
  EXPECT_EQ(ExpansionDestination(L"D:\\", L"rapport"), L"D:\\rapport");
  EXPECT_EQ(ExpansionDestination(L"D:\\AB", L"x"), L"D:\\AB\\x");
}

TEST(ToolLaunch, ComposesTheLinesOfBothTools) {
  MemoryFileSystem files;
  Module1 paths(files);
  paths.AppPath = L"C:\\Outils\\Compression";
  paths.SourceFile = L"C:\\DONNEES\\RAPPORT.TXT";
  paths.TargetDir = L"D:\\ARCHIVES";
  const ToolLaunch compression = CompressionLaunch(paths);
  EXPECT_EQ(compression.program, L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE");
  EXPECT_EQ(compression.command_line,
            L"C:\\OUTILS\\COMPRESSION\\COMPRESS.EXE -R C:\\DONNEES\\RAPPORT.TXT D:\\ARCHIVES");

  paths.SourceFile = L"C:\\DONNEES\\RAPPORT.TX_";
  const ToolLaunch expansion = ExpansionLaunch(paths, L"rapport.txt");
  EXPECT_EQ(expansion.program, L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE");
  EXPECT_EQ(
      expansion.command_line,
      L"C:\\OUTILS\\COMPRESSION\\EXPAND.EXE C:\\DONNEES\\RAPPORT.TX_ D:\\ARCHIVES\\RAPPORT.TXT");
}

TEST(ToolLaunch, AnEmptyTargetFolderEndsTheCompressionLineAfterTheSource) {
  MemoryFileSystem files;
  Module1 paths(files);
  paths.AppPath = L"E:\\";
  paths.SourceFile = L"C:\\AUTOEXEC.BAT";
  EXPECT_EQ(CompressionLaunch(paths).command_line, L"E:\\COMPRESS.EXE -R C:\\AUTOEXEC.BAT");
  EXPECT_EQ(CompressionLaunch(paths).program, L"E:\\COMPRESS.EXE");
}

}  // namespace
}  // namespace tassefiche
