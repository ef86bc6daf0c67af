// The LZX encoder through the cabinets it writes: every window, every size around a frame's, every
// kind of data, read back by our expander and set reader and by both oracles; the same output
// for any number of threads and any chunking of the input; errors that stay.
#include <gtest/gtest.h>

#include <string>

#include "codec/codec.h"
#include "lzx/lzx_encoder.h"
#include "support/lzx_encoding.h"
#include "support/lzx_streams.h"
#include "support/memory_cabinets.h"
#include "support/oracles.h"
#include "support/x86_programs.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;

constexpr std::size_t kFrame = codec::kLzxFrameSize;

codec::CabinetCompression Lzx(unsigned window_bits, unsigned threads = 2) {
  return {codec::CabinetMethod::kLzx, window_bits, threads};
}

TEST(LzxEncoderTest, CabinetsReadBackThroughEveryDecoderInEveryWindow) {
  const Bytes unit = RandomBytes(700, 11);
  const std::vector<std::pair<const char*, Bytes>> inputs = {
      {"empty", {}},
      {"one byte", {42}},
      {"exactly one frame", Text(kFrame, 12)},
      {"one frame and a byte", BinaryLike(kFrame + 1, 13)},
      {"text", Text(70000, 14)},
      {"binary", BinaryLike(90000, 15)},
      {"random", RandomBytes(50000, 16)},
      {"zeros, runs across frames", Bytes(100000, 0)},
      {"a 700-byte period, repeats across frames",
       Repeat(std::string(unit.begin(), unit.end()), 80000)},
      {"a PE program", PeProgram(0x8664, CallHeavyCode(60000, 17))},
      {"an ELF program", ElfProgram(3, 1, CallHeavyCode(60000, 18))},
  };
  for (unsigned window_bits = codec::kLzxMinWindowBits; window_bits <= codec::kLzxMaxWindowBits;
       ++window_bits) {
    for (const auto& [what, data] : inputs) {
      SCOPED_TRACE(std::string(what) + ", window 2^" + std::to_string(window_bits));
      const Bytes cabinet = WriteCabinet(data, Lzx(window_bits));
      Bytes streamed;
      EXPECT_EQ(codec::Expand(cabinet, streamed), Error::kOk);
      EXPECT_EQ(streamed, data);

      MemoryOpener opener;
      opener.cabinets["a.cab"] = cabinet;
      const OpenedSet opened = ExtractAll(opener, "a.cab");
      ASSERT_EQ(opened.error, Error::kOk);
      EXPECT_EQ(opened.set->entries().at(0).window_bits, window_bits);
      EXPECT_EQ(opened.outcomes.at("donnees.bin").bytes, data);

      for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
        const auto files = ExtractWith(oracle, cabinet);
        ASSERT_TRUE(files) << OracleName(oracle);
        EXPECT_EQ(files->at("donnees.bin"), data) << OracleName(oracle);
      }
    }
  }
}

// More than a batch of segments, so that the encoder carries its state from batch to batch, and
// the buffer slides under the finder in the small window (its repeated tail keeps it quick). Text
// and binary data across segment ends once made the finder report false matches there.
TEST(LzxEncoderTest, TheOutputIsTheSameWhateverTheThreadsAndTheChunks) {
  const Bytes unit = RandomBytes(5000, 25);
  struct Run {
    unsigned threads;
    std::size_t chunk;
  };
  const struct {
    unsigned window_bits;
    Bytes data;
    std::vector<Run> runs;
  } cases[] = {
      {16,
       Concatenate({Text(300000, 21), BinaryLike(300000, 22), RandomBytes(60000, 23),
                    Repeat(std::string(unit.begin(), unit.end()), 1600000)}),
       {{2, 1000}, {3, 65537}, {0, 7}}},
      {21,
       Concatenate(
           {Text(900000, 26), BinaryLike(900000, 27), RandomBytes(60000, 28), Text(500000, 29)}),
       {{4, 65537}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("window 2^" + std::to_string(c.window_bits));
    ASSERT_GT(c.data.size(), codec::LzxEncoder::kBatchSegments * codec::LzxEncoder::kSegment +
                                 codec::kLzxFrameSize);
    const std::vector<CraftedBlock> reference = EncodeLzx(c.data, c.window_bits, 1);
    EXPECT_EQ(DecodeLzxFolder(reference, c.window_bits), c.data);
    for (const Run run : c.runs) {
      SCOPED_TRACE(std::to_string(run.threads) + " threads, chunks of " +
                   std::to_string(run.chunk));
      const std::vector<CraftedBlock> blocks =
          EncodeLzx(c.data, c.window_bits, run.threads, run.chunk);
      ASSERT_EQ(blocks.size(), reference.size());
      for (std::size_t i = 0; i < blocks.size(); ++i)
        ASSERT_EQ(blocks[i].coded, reference[i].coded) << "frame " << i;
    }
  }
}

TEST(LzxEncoderTest, ErrorsStay) {
  const Bytes data = Text(100000, 31);
  CollectedBlocks refusing;
  refusing.refuse = true;
  codec::LzxEncoder encoder(refusing, 21, 1);
  EXPECT_EQ(encoder.Feed(data), Error::kOk);  // still buffered
  EXPECT_EQ(encoder.Finish(), Error::kOutputFailed);
  EXPECT_EQ(encoder.Feed(data), Error::kOutputFailed);
  EXPECT_EQ(encoder.Finish(), Error::kOutputFailed);

  CollectedBlocks sink;
  codec::LzxEncoder finished(sink, 21, 1);
  EXPECT_EQ(finished.Feed(data), Error::kOk);
  EXPECT_EQ(finished.Finish(), Error::kOk);
  EXPECT_EQ(finished.Feed(data), Error::kLengthMismatch);
  EXPECT_EQ(finished.Finish(), Error::kLengthMismatch);

  // A window the format does not have: the cabinet writer knows no such method.
  codec::VectorSink out;
  codec::CabinetWriter writer(out, {"x", 10, 0, 0, 0}, Lzx(22));
  EXPECT_EQ(writer.Feed(Bytes(10, 1)), Error::kUnknownMethod);
}

}  // namespace
}  // namespace codec_test
