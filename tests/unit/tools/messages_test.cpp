// Each message states what happened: what a source is when it is no file, and what a failure
// left at the destination.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

namespace fs = std::filesystem;

bool Says(const RunResult& result, const std::string& text) {
  return result.err.find(text) != std::string::npos;
}

TEST(Messages, ASourceThatIsNoFileIsCalledWhatItIs) {
  ScratchFolder dir;
  ASSERT_EQ(mkfifo((dir / "tube").c_str(), 0600), 0);
  fs::create_directory(dir.path() / "dossier");
  const struct {
    std::string source;
    const char* said;
  } cases[] = {
      {"/dev/zero", "« /dev/zero » est un périphérique, pas un fichier : refusé"},
      {dir / "tube", "est un tube, pas un fichier : refusé"},
      {dir / "dossier", "est un dossier"},
      {dir / "absent", "fichier ou dossier introuvable"},
  };
  for (const auto& c : cases) {
    for (const std::string& tool : {kCompress, kExpand}) {
      const RunResult result = RunTool(tool, {c.source, dir / "SORTIE"});
      EXPECT_EQ(result.status, 2) << c.source;
      EXPECT_TRUE(Says(result, c.said)) << result.err;
      if (c.source != dir / "absent") {
        EXPECT_FALSE(Says(result, "introuvable")) << result.err;
      }
    }
  }
  EXPECT_FALSE(fs::exists(dir.path() / "SORTIE"));
}

TEST(Messages, AFailureSaysWhetherADestinationWasThereAndKept) {
  ScratchFolder dir;
  WriteBytes(dir / "RAPPORT.TXT", TextSample(3000));
  ASSERT_EQ(RunTool(kCompress, {dir / "RAPPORT.TXT", dir / "RAPPORT.TX_"}).status, 0);
  Bytes cut = ReadBytes(dir / "RAPPORT.TX_");
  cut.resize(cut.size() / 2);
  WriteBytes(dir / "CUT.TX_", cut);
  Bytes header_cut(cut.begin(), cut.begin() + 10);
  WriteBytes(dir / "HEAD.TX_", header_cut);
  for (const char* source : {"CUT.TX_", "HEAD.TX_"}) {
    SCOPED_TRACE(source);
    const RunResult fresh = RunTool(kExpand, {dir / source, dir / "NOUVEAU.TXT"});
    EXPECT_EQ(fresh.status, 14);
    EXPECT_TRUE(Says(fresh, "; rien n'a été écrit")) << fresh.err;
    EXPECT_FALSE(Says(fresh, "inchangée")) << fresh.err;
    EXPECT_FALSE(fs::exists(dir.path() / "NOUVEAU.TXT"));

    WriteBytes(dir / "ANCIEN.TXT", {'a'});
    const RunResult kept = RunTool(kExpand, {dir / source, dir / "ANCIEN.TXT"});
    EXPECT_EQ(kept.status, 14);
    EXPECT_TRUE(Says(kept, "; destination inchangée")) << kept.err;
    EXPECT_EQ(ReadBytes(dir / "ANCIEN.TXT"), Bytes{'a'});
  }
}

// A file shorter than a signature that follows one from its fourth byte on is a compressed file
// cut short, and so is one that ends inside its header; a shorter start is plain data.
TEST(Messages, ACutSignatureOrHeaderIsRefusedAsTruncated) {
  ScratchFolder dir;
  const Bytes szdd{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 'A', 'T', 0x10, 0x27, 0, 0};
  const Bytes qbasic{0x53, 0x5A, 0x20, 0x88, 0xF0, 0x27, 0x33, 0xD1, 0x10, 0x27, 0, 0};
  const Bytes kwaj{0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1, 0, 0, 14, 0, 0, 0};
  for (const Bytes* header : {&szdd, &qbasic, &kwaj}) {
    for (std::size_t size = 1; size < header->size(); ++size) {
      SCOPED_TRACE(std::to_string(header->front()) + " cut at " + std::to_string(size));
      WriteBytes(dir / "COUPE.TX_",
                 Bytes(header->begin(), header->begin() + static_cast<std::ptrdiff_t>(size)));
      fs::remove(dir.path() / "SORTIE");
      const RunResult result = RunTool(kExpand, {dir / "COUPE.TX_", dir / "SORTIE"});
      if (size < 4) {
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(Says(result, "copié tel quel")) << result.err;
        continue;
      }
      EXPECT_EQ(result.status, 14) << result.err;
      EXPECT_TRUE(Says(result, size < 8 ? "le fichier s'arrête dans sa signature"
                                        : "le fichier s'arrête dans son en-tête"))
          << result.err;
      EXPECT_FALSE(fs::exists(dir.path() / "SORTIE"));
    }
  }
}

TEST(Messages, AKwajTableThatLeavesItsCodeIncompleteIsDamage) {
  ScratchFolder dir;
  Bytes file = ReadBytes(std::string(TASSEFICHE_CODEC_FIXTURES) + "/kwaj-method3-tables.tx$");
  file[132] = 0x7A;
  WriteBytes(dir / "TABLES.TX$", file);
  const RunResult result = RunTool(kExpand, {dir / "TABLES.TX$", dir / "SORTIE"});
  EXPECT_EQ(result.status, 16) << result.err;
  EXPECT_TRUE(Says(result, "données compressées endommagées")) << result.err;
  EXPECT_FALSE(fs::exists(dir.path() / "SORTIE"));
}

}  // namespace
}  // namespace tools::testing_support
