#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "mszip/mszip_encoder.h"
#include "support/crafted_cabinet.h"
#include "support/lzx_streams.h"
#include "support/memory_cabinets.h"
#include "support/oracles.h"
#include "support/quantum_writer.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;
namespace fs = std::filesystem;

const fs::path kSetFolder = fs::path(CABINET_FIXTURE_DIR) / "disk-set";

MemoryOpener DiskSet(const std::vector<std::string>& names = {"disk1.cab", "disk2.cab",
                                                              "disk3.cab"}) {
  MemoryOpener opener;
  for (const std::string& name : names)
    opener.cabinets[name] = ReadFile(kSetFolder / name);
  return opener;
}

Bytes Expected(const std::string& name) {
  return ReadFile(kSetFolder / "expected" / name);
}

// The fixture set, made by another writer: a folder that runs through three cabinets, blocks
// split between them, a previous-cabinet name that skips a cabinet.
TEST(CabinetSetTest, ASetIsExtractedWholeFromAnyOfItsCabinets) {
  for (const std::string first : {"disk1.cab", "disk2.cab", "disk3.cab"}) {
    SCOPED_TRACE(first);
    MemoryOpener opener = DiskSet();
    const OpenedSet opened = ExtractAll(opener, first);
    ASSERT_EQ(opened.error, Error::kOk);
    ASSERT_EQ(opened.outcomes.size(), 5u);
    for (const auto& [name, outcome] : opened.outcomes) {
      EXPECT_EQ(outcome.ends, 1) << name;
      EXPECT_EQ(outcome.error, Error::kOk) << name << ": " << outcome.detail;
      EXPECT_EQ(outcome.bytes, Expected(name)) << name;
    }
    EXPECT_EQ(opened.set->entries()[0].cabinet, "disk1.cab");
    EXPECT_TRUE(opened.set->notes().empty());
  }
}

TEST(CabinetSetTest, AMissingOrForeignPartRefusesExactlyTheFilesThatNeedIt) {
  Bytes foreign = ReadFile(kSetFolder / "disk2.cab");
  foreign[32] ^= 1;  // another set's identifier
  struct Case {
    const char* name;
    std::vector<std::string> present;
    std::string first;
    std::map<std::string, Error> expected;  // the entries listed and what each gives
    std::string note;
  };
  const std::vector<Case> cases = {
      {"second missing, from the first",
       {"disk1.cab", "disk3.cab"},
       "disk1.cab",
       {{"lisezmoi.txt", Error::kOk},
        {"pilote.bin", Error::kMissingPart},
        {"notes.txt", Error::kMissingPart}},
       "disk2.cab"},
      {"last missing, from the first",
       {"disk1.cab", "disk2.cab"},
       "disk1.cab",
       {{"lisezmoi.txt", Error::kOk},
        {"pilote.bin", Error::kOk},
        {"notes.txt", Error::kOk},
        {"vide.txt", Error::kOk},
        {"donnees.bin", Error::kMissingPart}},
       "disk3.cab"},
      {"second missing, from the last",
       {"disk1.cab", "disk3.cab"},
       "disk3.cab",
       {{"donnees.bin", Error::kMissingPart}},
       "disk2.cab"},
      {"second of another set, from the first",
       {"disk1.cab", "foreign", "disk3.cab"},
       "disk1.cab",
       {{"lisezmoi.txt", Error::kOk},
        {"pilote.bin", Error::kMissingPart},
        {"notes.txt", Error::kMissingPart}},
       "autre ensemble"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryOpener opener;
    for (const std::string& name : c.present) {
      if (name == "foreign") {
        opener.cabinets["disk2.cab"] = foreign;
      } else {
        opener.cabinets[name] = ReadFile(kSetFolder / name);
      }
    }
    const OpenedSet opened = ExtractAll(opener, c.first);
    ASSERT_EQ(opened.error, Error::kOk);
    ASSERT_EQ(opened.outcomes.size(), c.expected.size());
    for (const auto& [name, error] : c.expected) {
      const Outcome& outcome = opened.outcomes.at(name);
      EXPECT_EQ(outcome.error, error) << name << ": " << outcome.detail;
      if (error == Error::kOk) {
        EXPECT_EQ(outcome.bytes, Expected(name)) << name;
      }
      if (error == Error::kMissingPart) {
        EXPECT_FALSE(outcome.begun) << name;
      }
    }
    ASSERT_FALSE(opened.set->notes().empty());
    EXPECT_NE(opened.set->notes()[0].find(c.note), std::string::npos) << opened.set->notes()[0];
  }
}

// Every header flag and reserve area, read the same way by the two oracles and by us.
TEST(CabinetSetTest, HeaderFlagsAndReservesAreReadAsTheOraclesReadThem) {
  const Bytes data = Text(80000, 11);
  struct Case {
    const char* name;
    std::uint16_t header_reserve;
    std::uint8_t folder_reserve;
    std::uint8_t data_reserve;
    bool force_reserve_flag;
  };
  for (const Case& c : std::vector<Case>{{"no reserve", 0, 0, 0, false},
                                         {"reserve flag, empty areas", 0, 0, 0, true},
                                         {"header reserve", 6144, 0, 0, false},
                                         {"folder reserve", 0, 255, 0, false},
                                         {"data reserve", 0, 0, 255, false},
                                         {"all three", 100, 7, 9, false}}) {
    SCOPED_TRACE(c.name);
    CraftedCabinet cabinet;
    cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
    cabinet.files.push_back({"donnees.txt", 80000, 0, 0});
    cabinet.header_reserve = c.header_reserve;
    cabinet.folder_reserve = c.folder_reserve;
    cabinet.data_reserve = c.data_reserve;
    cabinet.force_reserve_flag = c.force_reserve_flag;
    const Bytes bytes = BuildCabinet(cabinet);
    for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
      const auto files = ExtractWith(oracle, bytes);
      ASSERT_TRUE(files) << OracleName(oracle);
      EXPECT_EQ(files->at("donnees.txt"), data) << OracleName(oracle);
    }
    MemoryOpener opener;
    opener.cabinets["a.cab"] = bytes;
    const OpenedSet opened = ExtractAll(opener, "a.cab");
    ASSERT_EQ(opened.error, Error::kOk);
    EXPECT_EQ(opened.outcomes.at("donnees.txt").bytes, data);
  }
}

TEST(CabinetSetTest, EntriesCarryTheirStoredNameDateTimeAttributesAndMethod) {
  struct Case {
    const char* name;
    std::string stored;
    std::uint16_t attributes;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"ASCII", "dossier\\LISEZMOI.TXT", 0x21, "dossier\\LISEZMOI.TXT"},
      {"flagged UTF-8", "\xC3\xA9t\xC3\xA9.txt", 0x80 | 0x01, "\xC3\xA9t\xC3\xA9.txt"},
      {"code page 850", "\x82t\x82.txt", 0x20, "\xC3\xA9t\xC3\xA9.txt"},
      {"UTF-8 without its flag", "\xCE\xB1\xCE\xB2.txt", 0x20, "\xCE\xB1\xCE\xB2.txt"},
      {"flagged but not UTF-8", "\x82.txt", 0x80, "\xC3\xA9.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CraftedCabinet cabinet;
    cabinet.folders.push_back({codec::LzxType(21), {}});
    cabinet.files.push_back({c.stored, 0, 0, 0, 0x5B89, 0x6000, c.attributes});
    MemoryOpener opener;
    opener.cabinets["a.cab"] = BuildCabinet(cabinet);
    const OpenedSet opened = ExtractAll(opener, "a.cab");
    ASSERT_EQ(opened.error, Error::kOk);
    const codec::CabinetEntry& entry = opened.set->entries().at(0);
    EXPECT_EQ(entry.name, c.expected);
    EXPECT_EQ(entry.attributes, c.attributes & 0x7F);
    EXPECT_EQ(entry.dos_date, 0x5B89);
    EXPECT_EQ(entry.dos_time, 0x6000);
    EXPECT_EQ(entry.method, codec::CabinetMethod::kLzx);
    EXPECT_EQ(entry.window_bits, 21u);
  }
}

// A folder of three files over three blocks; damage in the second block.
TEST(CabinetSetTest, DamageRefusesTheFilesThatNeedItAndKeepsTheOthers) {
  const Bytes data = RandomBytes(3 * 32768, 5);
  const auto slice = [&](std::size_t from, std::size_t size) {
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(from),
                 data.begin() + static_cast<std::ptrdiff_t>(from + size));
  };
  const auto cabinet_with = [&](auto change) {
    CraftedCabinet cabinet;
    cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
    cabinet.files = {
        {"a", 30000, 0, 0}, {"b", 30000, 30000, 0}, {"c", 28304, 70000, 0}, {"vide", 0, 30000, 0}};
    change(cabinet);
    return BuildCabinet(cabinet);
  };
  struct Case {
    const char* name;
    Bytes cabinet;
    Error a, b, c;
  };
  Bytes cut = cabinet_with([](CraftedCabinet&) {});
  cut.resize(cut.size() - 20000);
  const std::vector<Case> cases = {
      {"wrong checksum",
       cabinet_with([](CraftedCabinet& k) { k.folders[0].blocks[1].checksum = 7; }), Error::kOk,
       Error::kCorruptData, Error::kCorruptData},
      {"no checksum", cabinet_with([](CraftedCabinet& k) { k.folders[0].blocks[1].checksum = 0; }),
       Error::kOk, Error::kOk, Error::kOk},
      {"file cut in its last block", cut, Error::kOk, Error::kOk, Error::kTruncated},
      {"stored block of the wrong size",
       cabinet_with([](CraftedCabinet& k) { k.folders[0].blocks[1].expanded_size = 1000; }),
       Error::kOk, Error::kCorruptData, Error::kCorruptData},
      {"a block missing from the folder",
       cabinet_with([](CraftedCabinet& k) { k.folders[0].blocks.pop_back(); }), Error::kOk,
       Error::kOk, Error::kTruncated},
      {"unknown method", cabinet_with([](CraftedCabinet& k) { k.folders[0].type = 9; }),
       Error::kUnknownMethod, Error::kUnknownMethod, Error::kUnknownMethod},
      {"LZX window out of range",
       cabinet_with([](CraftedCabinet& k) { k.folders[0].type = codec::LzxType(22); }),
       Error::kUnknownMethod, Error::kUnknownMethod, Error::kUnknownMethod},
      {"file in a folder that does not exist",
       cabinet_with([](CraftedCabinet& k) { k.files[2].folder = 3; }), Error::kOk, Error::kOk,
       Error::kBadHeader},
      {"file past its folder's data",
       cabinet_with([](CraftedCabinet& k) { k.files[2].size = 90000; }), Error::kOk, Error::kOk,
       Error::kTruncated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryOpener opener;
    opener.cabinets["a.cab"] = c.cabinet;
    const OpenedSet opened = ExtractAll(opener, "a.cab");
    ASSERT_EQ(opened.error, Error::kOk);
    const std::map<std::string, std::pair<Error, Bytes>> expected = {
        {"a", {c.a, slice(0, 30000)}},
        {"b", {c.b, slice(30000, 30000)}},
        {"c", {c.c, slice(70000, 28304)}}};
    for (const auto& [name, want] : expected) {
      const Outcome& outcome = opened.outcomes.at(name);
      EXPECT_EQ(outcome.ends, 1) << name;
      EXPECT_EQ(outcome.error, want.first) << name << ": " << outcome.detail;
      if (want.first == Error::kOk) {
        EXPECT_EQ(outcome.bytes, want.second) << name;
      }
      if (want.first != Error::kOk) {
        EXPECT_FALSE(outcome.detail.empty()) << name;
      }
    }
  }
}

TEST(CabinetSetTest, DirectoriesThatCannotBeReadAreRefusedWhole) {
  CraftedCabinet cabinet;
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(Text(1000, 1))});
  cabinet.files.push_back({"a.txt", 1000, 0, 0});
  const Bytes good = BuildCabinet(cabinet);
  Bytes endless_name = good;
  endless_name.resize(good.size() - 1000 - 8);  // the name's NUL and the data gone
  endless_name.insert(endless_name.end() - 1, 300, 'x');
  struct Case {
    const char* name;
    Bytes bytes;
    Error error;
  };
  const std::vector<Case> cases = {
      {"signature alone", Bytes(good.begin(), good.begin() + 4), Error::kTruncated},
      {"cut in the header", Bytes(good.begin(), good.begin() + 30), Error::kTruncated},
      {"cut in the file list", Bytes(good.begin(), good.begin() + 50), Error::kTruncated},
      {"name of 300 bytes", endless_name, Error::kBadHeader},
      {"not a cabinet", Bytes{'M', 'S', 'C', 'G', 0, 0, 0, 0}, Error::kNotCompressed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryOpener opener;
    opener.cabinets["a.cab"] = c.bytes;
    EXPECT_EQ(ExtractAll(opener, "a.cab").error, c.error);
  }
}

TEST(CabinetSetTest, OnlyChosenEntriesAreWrittenAndASinkThatFailsStopsOnlyItsEntry) {
  const Bytes data = Text(100000, 9);
  CraftedCabinet cabinet;
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
  cabinet.files = {{"a", 50000, 0, 0}, {"b", 50000, 50000, 0}, {"c", 10, 49995, 0}};
  MemoryOpener opener;
  opener.cabinets["a.cab"] = BuildCabinet(cabinet);
  codec::CabinetSet set;
  ASSERT_EQ(set.Open(opener.Open("a.cab"), "a.cab", opener), Error::kOk);
  // In the order of their data: a, c (overlapping a and b), b.
  ASSERT_EQ(set.entries().size(), 3u);
  EXPECT_EQ(set.entries()[1].name, "c");
  RecordingTarget target(3);
  target.refuse_writes_of = 0;
  set.Extract({true, true, false}, target);
  EXPECT_EQ(target.outcomes[0].error, Error::kOutputFailed);
  EXPECT_EQ(target.outcomes[1].error, Error::kOk);
  EXPECT_EQ(target.outcomes[1].bytes, Bytes(data.begin() + 49995, data.begin() + 50005));
  EXPECT_EQ(target.outcomes[2].ends, 0);
  EXPECT_FALSE(target.outcomes[2].begun);
}

// One folder of each method in one cabinet, two files in each, read alike by us and both oracles.
TEST(CabinetSetTest, EveryMethodInOneCabinetReadsAsTheOraclesReadIt) {
  const Bytes data = Text(50000, 21);
  CraftedCabinet cabinet;
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
  CollectedBlocks mszip;
  codec::MsZipEncoder encoder(mszip, 1);
  ASSERT_EQ(encoder.Feed(data), Error::kOk);
  ASSERT_EQ(encoder.Finish(), Error::kOk);
  cabinet.folders.push_back({codec::kMethodMsZip, mszip.blocks});
  cabinet.folders.push_back(
      {codec::QuantumType(4, 16), QuantumBlocks(GreedyQuantumTokens(data, 16), 16)});
  cabinet.folders.push_back(
      {codec::LzxType(17), LzxFolder(data, {17, codec::LzxBlockType::kAligned, 40000, {}, true})});
  const char* methods[] = {"stocke", "mszip", "quantum", "lzx"};
  for (std::uint16_t f = 0; f < 4; ++f) {
    const std::string folder = methods[f];
    cabinet.files.push_back({folder + "\\debut.txt", 20000, 0, f});
    cabinet.files.push_back({folder + "\\fin.txt", 30000, 20000, f});
  }
  const Bytes bytes = BuildCabinet(cabinet);
  const Bytes start(data.begin(), data.begin() + 20000);
  const Bytes end(data.begin() + 20000, data.end());
  for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
    const auto files = ExtractWith(oracle, bytes);
    ASSERT_TRUE(files) << OracleName(oracle);
    for (const char* folder : methods) {
      EXPECT_EQ(files->at(std::string(folder) + "/debut.txt"), start) << OracleName(oracle);
      EXPECT_EQ(files->at(std::string(folder) + "/fin.txt"), end) << OracleName(oracle);
    }
  }
  MemoryOpener opener;
  opener.cabinets["a.cab"] = bytes;
  const OpenedSet opened = ExtractAll(opener, "a.cab");
  ASSERT_EQ(opened.error, Error::kOk);
  for (const char* folder : methods) {
    EXPECT_EQ(opened.outcomes.at(std::string(folder) + "\\debut.txt").bytes, start) << folder;
    EXPECT_EQ(opened.outcomes.at(std::string(folder) + "\\fin.txt").bytes, end) << folder;
  }
  EXPECT_EQ(opened.set->entries()[4].method, codec::CabinetMethod::kQuantum);
  EXPECT_EQ(opened.set->entries()[4].quantum_level, 4u);
  EXPECT_EQ(opened.set->entries()[6].window_bits, 17u);
}

// A source that reads its first bytes, then fails as a disk that goes away.
class FailingSource final : public codec::CabinetSource {
 public:
  explicit FailingSource(Bytes bytes) : bytes_(std::move(bytes)), source_(bytes_) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    if (offset >= 100000) throw std::runtime_error("disque parti");
    return source_.ReadAt(offset, out);
  }

 private:
  Bytes bytes_;
  codec::SpanCabinetSource source_;
};

// The failure reaches the caller, from whichever thread met it; files already begun are left to
// the caller, which discards them.
TEST(CabinetSetTest, AReadThatFailsMidwayReachesTheCaller) {
  CraftedCabinet cabinet;
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(Text(600000, 4))});
  cabinet.files = {{"a", 600000, 0, 0}};
  MemoryOpener opener;
  codec::CabinetSet set;
  ASSERT_EQ(set.Open(std::make_unique<FailingSource>(BuildCabinet(cabinet)), "a.cab", opener),
            Error::kOk);
  RecordingTarget target(1);
  EXPECT_THROW(set.Extract({true}, target), std::runtime_error);
  EXPECT_EQ(target.outcomes[0].ends, 0);
}

// MSZIP cabinets by another writer, with files of every size around a block's.
TEST(CabinetSetTest, ReadsMsZipCabinetsOfAnotherWriter) {
  const fs::path folder = fs::temp_directory_path() / ("gcab-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::vector<std::pair<std::string, Bytes>> files = {{"vide", {}},
                                                            {"un", {'x'}},
                                                            {"bloc", Text(32768, 1)},
                                                            {"bloc-et-un", BinaryLike(32769, 2)},
                                                            {"grand", Text(300000, 3)},
                                                            {"hasard", RandomBytes(70000, 4)}};
  std::string command = "cd '" + folder.string() + "' && gcab -c -z out.cab";
  for (const auto& [name, bytes] : files) {
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    command += " " + name;
  }
  ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0);
  MemoryOpener opener;
  opener.cabinets["out.cab"] = ReadFile(folder / "out.cab");
  fs::remove_all(folder);
  const OpenedSet opened = ExtractAll(opener, "out.cab");
  ASSERT_EQ(opened.error, Error::kOk);
  for (const auto& [name, bytes] : files) {
    EXPECT_EQ(opened.outcomes.at(name).error, Error::kOk) << name;
    EXPECT_EQ(opened.outcomes.at(name).bytes, bytes) << name;
    EXPECT_EQ(opened.set->entries()[0].method, codec::CabinetMethod::kMsZip);
  }
}

}  // namespace
}  // namespace codec_test
