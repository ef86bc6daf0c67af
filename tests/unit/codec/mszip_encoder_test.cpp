// The MSZIP encoder: its blocks decode to the input through zlib, cabextract and 7-Zip; their
// framing; the choice of DEFLATE block types; the same output for any number of threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mszip/mszip_encoder.h"
#include "support/crafted_cabinet.h"
#include "support/mszip_blocks.h"
#include "support/oracles.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;
using codec::kMaxBlockOutput;

constexpr std::size_t kStoredOverhead = 2 + 1 + 4;  // "CK", the block header's byte, LEN, NLEN

std::vector<CodedBlock> Encode(const Bytes& data, unsigned threads = 2,
                               std::size_t chunk = std::size_t{1} << 30) {
  CodedBlocks sink;
  codec::MsZipEncoder encoder(sink, threads);
  for (std::size_t at = 0; at < data.size(); at += chunk) {
    const std::size_t n = std::min(chunk, data.size() - at);
    EXPECT_EQ(encoder.Feed(std::span(data).subspan(at, n)), Error::kOk);
  }
  EXPECT_EQ(encoder.Finish(), Error::kOk);
  return std::move(sink.blocks);
}

struct Shape {
  std::string name;
  Bytes data;
};

std::vector<Shape> Shapes() {
  const Bytes accented = {'d', 0xC3, 0xA9, 'j', 0xC3, 0xA0, ' ', 0xC3, 0xA9, 't', 0xC3, 0xA9};
  const Bytes unit = RandomBytes(300, 21);
  return {
      {"one byte", {'x'}},
      {"short text with bytes above 143 (a fixed block)", accented},
      {"exactly one block", Text(kMaxBlockOutput, 22)},
      {"one block and one byte", Text(kMaxBlockOutput + 1, 23)},
      {"text", Text(100000, 24)},
      {"binary", BinaryLike(150000, 25)},
      {"random", RandomBytes(70000, 26)},
      {"zeros (long runs across blocks)", Bytes(200000, 0)},
      {"a 300-byte period (matches of 258 across blocks)",
       Repeat(std::string(unit.begin(), unit.end()), 100000)},
      {"random then zeros in each block",
       Concatenate({RandomBytes(16384, 27), Bytes(16384, 0), RandomBytes(16384, 28),
                    Bytes(16384, 0), Text(5000, 29)})},
  };
}

TEST(MsZipEncoderTest, BlocksAreFramedAndInflateBackThroughZlib) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    const std::vector<CodedBlock> blocks = Encode(shape.data);
    ASSERT_EQ(blocks.size(), (shape.data.size() + kMaxBlockOutput - 1) / kMaxBlockOutput);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const std::size_t expected =
          std::min(kMaxBlockOutput, shape.data.size() - i * kMaxBlockOutput);
      EXPECT_EQ(blocks[i].expanded_size, expected);
      // Never larger than the block stored.
      EXPECT_LE(blocks[i].coded.size(), expected + kStoredOverhead);
      EXPECT_LE(blocks[i].coded.size(), codec::kMaxBlockInput);
    }
    const auto inflated = InflateBlocks(blocks);
    ASSERT_TRUE(inflated);
    EXPECT_EQ(*inflated, shape.data);
  }
}

TEST(MsZipEncoderTest, CabinetsOfItsBlocksExtractThroughCabextractAnd7Zip) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    std::vector<CraftedBlock> crafted;
    for (CodedBlock& block : Encode(shape.data))
      crafted.push_back(
          {std::move(block.coded), static_cast<std::uint16_t>(block.expanded_size), {}});
    const Bytes cabinet = SingleFileCabinet("fichier.bin", codec::kMethodMsZip, crafted);
    for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
      SCOPED_TRACE(OracleName(oracle));
      const auto files = ExtractWith(oracle, cabinet);
      ASSERT_TRUE(files);
      ASSERT_EQ(files->size(), 1u);
      EXPECT_EQ(files->begin()->second, shape.data);
    }
  }
}

TEST(MsZipEncoderTest, AnEmptyFolderGivesNoBlock) {
  EXPECT_TRUE(Encode({}).empty());
}

TEST(MsZipEncoderTest, TheOutputIsTheSameWhateverTheThreadsAndTheChunks) {
  // Five blocks: two batches for one thread, one for more.
  const Bytes data = Concatenate({Text(70000, 31), BinaryLike(70000, 32), RandomBytes(20000, 33)});
  const std::vector<CodedBlock> reference = Encode(data, 1);
  struct Run {
    unsigned threads;
    std::size_t chunk;
  };
  for (const Run run : {Run{2, 1000}, Run{3, kMaxBlockOutput}, Run{16, 7}, Run{0, 100001}}) {
    SCOPED_TRACE(std::to_string(run.threads) + " threads, chunks of " + std::to_string(run.chunk));
    const std::vector<CodedBlock> blocks = Encode(data, run.threads, run.chunk);
    ASSERT_EQ(blocks.size(), reference.size());
    for (std::size_t i = 0; i < blocks.size(); ++i)
      EXPECT_EQ(blocks[i].coded, reference[i].coded) << "block " << i;
  }
}

// The first DEFLATE block's type, from its header bits after "CK".
enum class FirstBlock { kStored = 0, kFixed = 1, kDynamic = 2 };

TEST(MsZipEncoderTest, ChoosesEachBlockTypeWhereItIsSmallest) {
  struct Case {
    std::string name;
    Bytes data;
    FirstBlock first;
    std::size_t largest;  // the most the coded block may take
  };
  const std::vector<Case> cases = {
      // Incompressible: stored, exactly its size and the framing.
      {"random", RandomBytes(kMaxBlockOutput, 41), FirstBlock::kStored,
       kMaxBlockOutput + kStoredOverhead},
      // One literal and the end of block, 18 bits: no header pays for itself.
      {"one byte", {'a'}, FirstBlock::kFixed, 2 + 3},
      {"text", Text(kMaxBlockOutput, 42), FirstBlock::kDynamic, kMaxBlockOutput / 2},
      // Cut after the random half, stored as it is, then the zeros in a few bytes.
      {"random then zeros", Concatenate({RandomBytes(16384, 43), Bytes(16384, 0)}),
       FirstBlock::kStored, 16384 + kStoredOverhead + 48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<CodedBlock> blocks = Encode(c.data);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_GE(blocks[0].coded.size(), 3u);
    EXPECT_EQ(static_cast<FirstBlock>((blocks[0].coded[2] >> 1) & 3), c.first);
    EXPECT_LE(blocks[0].coded.size(), c.largest);
    EXPECT_EQ(InflateBlocks(blocks), c.data);
  }
}

class RefusingSink final : public codec::BlockSink {
 public:
  bool Take(std::span<const std::uint8_t>, std::uint32_t) override {
    ++calls;
    return false;
  }
  int calls = 0;
};

TEST(MsZipEncoderTest, ErrorsStay) {
  const Bytes data = Text(100000, 51);
  RefusingSink refusing;
  codec::MsZipEncoder encoder(refusing, 1);
  EXPECT_EQ(encoder.Feed(data), Error::kOk);  // still buffered
  EXPECT_EQ(encoder.Finish(), Error::kOutputFailed);
  EXPECT_EQ(encoder.Feed(data), Error::kOutputFailed);
  EXPECT_EQ(encoder.Finish(), Error::kOutputFailed);
  EXPECT_EQ(refusing.calls, 1);

  CodedBlocks sink;
  codec::MsZipEncoder finished(sink, 1);
  EXPECT_EQ(finished.Feed(data), Error::kOk);
  EXPECT_EQ(finished.Finish(), Error::kOk);
  EXPECT_EQ(finished.Feed(data), Error::kLengthMismatch);
  EXPECT_EQ(finished.Finish(), Error::kLengthMismatch);
}

}  // namespace
}  // namespace codec_test
