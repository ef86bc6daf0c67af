#include <gtest/gtest.h>

#include "support/crafted_cabinet.h"
#include "support/oracles.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

// The crafted cabinets that other tests trust are cabinets for the independent decoders too.
TEST(CraftedCabinetTest, OraclesExtractAStoredCabinetWithReservesAndRefuseABadChecksum) {
  const Bytes data = Text(70000, 3);
  CraftedCabinet cabinet;
  cabinet.folders.push_back({codec::kMethodStored, StoredBlocks(data)});
  cabinet.files.push_back({"dossier\\texte.txt", 70000, 0, 0});
  cabinet.header_reserve = 20;
  cabinet.folder_reserve = 3;
  cabinet.data_reserve = 5;
  const Bytes good = BuildCabinet(cabinet);
  cabinet.folders[0].blocks[1].checksum = 0xDEADBEEF;
  const Bytes bad = BuildCabinet(cabinet);
  for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
    SCOPED_TRACE(OracleName(oracle));
    const auto files = ExtractWith(oracle, good);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->size(), 1u);
    EXPECT_EQ(files->begin()->first, "dossier/texte.txt");
    EXPECT_EQ(files->begin()->second, data);
  }
  EXPECT_FALSE(ExtractWith(Oracle::kCabextract, bad));
}

}  // namespace
}  // namespace codec_test
