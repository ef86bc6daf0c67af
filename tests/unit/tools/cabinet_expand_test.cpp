// EXPAND on cabinets, end to end: where files go, what is refused, what damage leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/crafted_cabinet.h"
#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

namespace fs = std::filesystem;
using codec_test::BuildCabinet;
using codec_test::CraftedCabinet;
using codec_test::CraftedFile;
using codec_test::StoredBlocks;

constexpr int kSource = 2;
constexpr int kDestination = 3;
constexpr int kCorrupt = 16;

// One stored folder holding `files` back to back.
Bytes CabinetOf(const std::vector<std::pair<std::string, Bytes>>& files,
                std::uint16_t attributes = 0x20) {
  CraftedCabinet cabinet;
  Bytes data;
  for (const auto& [name, bytes] : files) {
    cabinet.files.push_back({name, static_cast<std::uint32_t>(bytes.size()),
                             static_cast<std::uint32_t>(data.size()), 0, 0x5B89, 0x6000,
                             attributes});
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
  return BuildCabinet(cabinet);
}

// Every file under `root`, by its path relative to it.
std::vector<std::string> FilesUnder(const fs::path& root) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory()) found.push_back(fs::relative(entry.path(), root).generic_string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

class CabinetExpand : public testing::Test {
 protected:
  ScratchFolder dir_;
  const Bytes one_ = TextSample(5000);
  const Bytes two_ = RandomSample(40000, 3);
};

TEST_F(CabinetExpand, OneFileIsAnyCompressedFileAndSeveralMakeAFolder) {
  WriteBytes(dir_ / "NOTES.TX_", CabinetOf({{"dossier\\notes.txt", one_}}));
  WriteBytes(dir_ / "PAIRE.CA_", CabinetOf({{"un.txt", one_}, {"sous\\deux.bin", two_}}));
  fs::create_directory(dir_.path() / "dest");
  WriteBytes(dir_ / "existant", {1, 2, 3});
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::vector<std::pair<std::string, const Bytes*>> written;
  };
  const std::vector<Case> cases = {
      {"one file to a file", {dir_ / "NOTES.TX_", dir_ / "clair.txt"}, 0, {{"clair.txt", &one_}}},
      {"one file replaces a file",
       {dir_ / "NOTES.TX_", dir_ / "existant"},
       0,
       {{"existant", &one_}}},
      {"one file into a folder takes its stored name",
       {dir_ / "NOTES.TX_", dir_ / "dest"},
       0,
       {{"dest/notes.txt", &one_}}},
      {"one file with -R", {"-R", dir_ / "NOTES.TX_"}, 0, {{"notes.txt", &one_}}},
      {"several into a new folder",
       {dir_ / "PAIRE.CA_", dir_ / "nouveau"},
       0,
       {{"nouveau/un.txt", &one_}, {"nouveau/sous/deux.bin", &two_}}},
      {"several into a folder",
       {dir_ / "PAIRE.CA_", dir_ / "dest"},
       0,
       {{"dest/un.txt", &one_}, {"dest/sous/deux.bin", &two_}}},
      {"several onto a file", {dir_ / "PAIRE.CA_", dir_ / "existant"}, kDestination, {}},
      {"-F by last part",
       {"-F:DEUX.*", dir_ / "PAIRE.CA_", dir_ / "dest"},
       0,
       {{"dest/sous/deux.bin", &two_}}},
      {"-F by folders, other separator",
       {"-f:sous/*", dir_ / "PAIRE.CA_", dir_ / "dest"},
       0,
       {{"dest/sous/deux.bin", &two_}}},
      {"-F twice, one matching nothing",
       {"-F:un.txt", "-F:rien*", dir_ / "PAIRE.CA_", dir_ / "dest"},
       kSource,
       {{"dest/un.txt", &one_}}},
      {"-D writes nothing", {"-D", dir_ / "PAIRE.CA_", dir_ / "dest"}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_.path() / "dest");
    fs::remove_all(dir_.path() / "nouveau");
    fs::remove(dir_.path() / "clair.txt");
    fs::remove(dir_.path() / "notes.txt");
    fs::create_directory(dir_.path() / "dest");
    WriteBytes(dir_ / "existant", {1, 2, 3});
    const RunResult run = RunTool(kExpand, c.arguments);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const auto& [name, bytes] : c.written)
      EXPECT_EQ(ReadBytes(dir_ / name), *bytes) << name;
    const std::size_t in_dest = FilesUnder(dir_.path() / "dest").size();
    const auto expected_in_dest =
        std::count_if(c.written.begin(), c.written.end(),
                      [](const auto& item) { return item.first.starts_with("dest/"); });
    EXPECT_EQ(in_dest, static_cast<std::size_t>(expected_in_dest));
    if (c.status == kDestination) {
      EXPECT_EQ(ReadBytes(dir_ / "existant"), (Bytes{1, 2, 3}));
    }
  }
}

TEST_F(CabinetExpand, NothingIsWrittenOutsideTheDestinationWhateverTheStoredNames) {
  const std::vector<std::string> names = {"..\\evade.txt",
                                          "/tmp-absolu.txt",
                                          "C:\\lecteur.txt",
                                          "a\\..\\..\\evade2.txt",
                                          "CON",
                                          "flux.txt:cache",
                                          "fin...",
                                          "sous\\.\\\\ok.txt",
                                          "\\\\serveur\\x.txt",
                                          "ctl\x01.txt",
                                          "Double.txt",
                                          "double.TXT"};
  std::vector<std::pair<std::string, Bytes>> files;
  for (const std::string& name : names)
    files.emplace_back(name, TextSample(100 + files.size()));
  fs::create_directories(dir_.path() / "inside/dest");
  WriteBytes(dir_ / "inside/HOSTILE.CAB", CabinetOf(files));

  const RunResult run = RunTool(kExpand, {dir_ / "inside/HOSTILE.CAB", dir_ / "inside/dest"});
  EXPECT_EQ(run.status, kDestination) << run.err;
  EXPECT_EQ(dir_.Names(), (std::vector<std::string>{"inside"}));
  EXPECT_EQ(dir_.Names("inside"), (std::vector<std::string>{"HOSTILE.CAB", "dest"}));
  EXPECT_EQ(
      FilesUnder(dir_.path() / "inside/dest"),
      (std::vector<std::string>{"Double.txt", "_CON", "ctl_.txt", "fin", "flux.txt_cache",
                                "lecteur.txt", "serveur/x.txt", "sous/ok.txt", "tmp-absolu.txt"}));
  // The first of two names that land on one file stays; the second is refused, with its reason.
  EXPECT_EQ(ReadBytes(dir_ / "inside/dest/Double.txt"), files[10].second);
  EXPECT_NE(run.err.find("double.TXT"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(".."), std::string::npos) << run.err;
}

TEST_F(CabinetExpand, AStoredFolderThatIsALinkIsNotFollowed) {
  fs::create_directories(dir_.path() / "dest");
  fs::create_directories(dir_.path() / "ailleurs");
  fs::create_directory_symlink(dir_.path() / "ailleurs", dir_.path() / "dest/lien");
  WriteBytes(dir_ / "L.CAB", CabinetOf({{"lien\\a.txt", one_}, {"b.txt", two_}}));
  const RunResult run = RunTool(kExpand, {dir_ / "L.CAB", dir_ / "dest"});
  EXPECT_EQ(run.status, kDestination) << run.err;
  EXPECT_TRUE(dir_.Names("ailleurs").empty());
  EXPECT_EQ(ReadBytes(dir_ / "dest/b.txt"), two_);
}

TEST_F(CabinetExpand, DamageLeavesNothingOfTheFilesThatNeedItAndKeepsTheOthers) {
  CraftedCabinet cabinet;
  const Bytes data = RandomSample(3 * 32768, 9);
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
  cabinet.files = {
      {"avant.bin", 30000, 0, 0}, {"touche.bin", 40000, 30000, 0}, {"apres.bin", 20000, 70000, 0}};
  cabinet.folders[0].blocks[1].checksum = 1;
  WriteBytes(dir_ / "ABIME.CAB", BuildCabinet(cabinet));
  fs::create_directory(dir_.path() / "out");
  WriteBytes(dir_ / "out/touche.bin", {7});
  const RunResult run = RunTool(kExpand, {dir_ / "ABIME.CAB", dir_ / "out"});
  EXPECT_EQ(run.status, kCorrupt) << run.err;
  EXPECT_EQ(dir_.Names("out"), (std::vector<std::string>{"avant.bin", "touche.bin"}));
  EXPECT_EQ(ReadBytes(dir_ / "out/avant.bin"), Bytes(data.begin(), data.begin() + 30000));
  EXPECT_EQ(ReadBytes(dir_ / "out/touche.bin"), Bytes{7});  // replaced by nothing
  EXPECT_NE(run.err.find("somme de contrôle"), std::string::npos) << run.err;

  // Cut in its first block: the new folder made for the files goes again.
  const Bytes whole = BuildCabinet(cabinet);
  WriteBytes(dir_ / "VIDE.CAB", Bytes(whole.begin(), whole.begin() + 200));
  const RunResult cut = RunTool(kExpand, {dir_ / "VIDE.CAB", dir_ / "jamais"});
  EXPECT_NE(cut.status, 0);
  EXPECT_FALSE(fs::exists(dir_.path() / "jamais"));
}

TEST_F(CabinetExpand, ASetIsReadFromItsFolderOnceWhicheverCabinetsAreNamed) {
  const fs::path set = fs::path(TASSEFICHE_CABINET_FIXTURES) / "disk-set";
  fs::create_directory(dir_.path() / "disks");
  for (const char* name : {"disk1.cab", "disk2.cab", "disk3.cab"}) {
    // Names in other letter case than the headers give them.
    std::string upper = name;
    for (char& ch : upper)
      ch = static_cast<char>(std::toupper(ch));
    fs::copy_file(set / name, dir_.path() / "disks" / upper);
  }
  const RunResult all = RunTool(kExpand, {dir_ / "disks/*.CAB", dir_ / "out"});
  ASSERT_EQ(all.status, kDestination) << all.err;  // "out" is no folder: several sources
  fs::create_directory(dir_.path() / "out");
  const RunResult run = RunTool(kExpand, {dir_ / "disks/*.CAB", dir_ / "out"});
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* name : {"lisezmoi.txt", "pilote.bin", "notes.txt", "vide.txt", "donnees.bin"}) {
    EXPECT_EQ(ReadBytes(dir_ / (std::string("out/") + name)),
              ReadBytes((set / "expected" / name).string()))
        << name;
  }
  // Without the second cabinet, exactly the files that need it are refused.
  fs::remove(dir_.path() / "disks/DISK2.CAB");
  const RunResult missing = RunTool(kExpand, {dir_ / "disks/DISK1.CAB", dir_ / "manque"});
  EXPECT_EQ(missing.status, kSource) << missing.err;
  EXPECT_EQ(dir_.Names("manque"), (std::vector<std::string>{"lisezmoi.txt"}));
  EXPECT_NE(missing.err.find("disk2.cab"), std::string::npos) << missing.err;
}

TEST_F(CabinetExpand, FilesTakeTheirStoredDateAndAReadOnlyOneLosesItsWriteBits) {
  WriteBytes(dir_ / "RO.CAB", CabinetOf({{"lecture.txt", one_}, {"libre.txt", two_}},
                                        0x21));  // read-only and archive
  const RunResult run = RunTool(kExpand, {dir_ / "RO.CAB", dir_ / "out"});
  ASSERT_EQ(run.status, 0) << run.err;
  struct stat st {};
  ASSERT_EQ(stat((dir_ / "out/lecture.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  std::tm local{};
  const std::time_t when = st.st_mtime;
  localtime_r(&when, &local);
  EXPECT_EQ(local.tm_year + 1900, 2025);
  EXPECT_EQ(local.tm_mon + 1, 12);
  EXPECT_EQ(local.tm_mday, 9);
  EXPECT_EQ(local.tm_hour, 12);
}

}  // namespace
}  // namespace tools::testing_support
