// The streaming parse's memory bound: how far behind the input the decided parse stays, on data
// that keeps it short and on data built to keep two parses open.
#include <gtest/gtest.h>

#include "codec/codec.h"
#include "reference_szdd.h"
#include "szdd/optimal_parser.h"
#include "szdd/szdd_writer.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

struct Parsed {
  codec::ParserStats stats;
  Bytes file;
};

Parsed ParseWithLimit(const Bytes& data, std::size_t pending_limit) {
  codec::VectorSink sink;
  codec::SzddWriter writer(sink);
  writer.Header(0, static_cast<std::uint32_t>(data.size()));
  codec::OptimalParser parser(data.size(), writer, pending_limit);
  for (std::size_t at = 0; at < data.size(); at += 5000) {
    parser.Feed(std::span(data).subspan(at, std::min<std::size_t>(5000, data.size() - at)));
  }
  parser.Finish();
  EXPECT_EQ(writer.Finish(), codec::Error::kOk);
  return {parser.stats(), sink.bytes};
}

TEST(ParserBound, OrdinaryAndRepetitiveDataIsDecidedWithinAFewThousandPositions) {
  const std::vector<std::pair<std::string, Bytes>> inputs{
      {"zeros", Bytes(1 << 20, 0)},
      {"period2", Repeat("ab", 1 << 20)},
      {"period7", Repeat("abcdefg", 1 << 20)},
      {"period19", Repeat("abcdefghijklmnopqrs", 1 << 20)},
      {"text", Text(1 << 20, 8)},
      {"binary", BinaryLike(1 << 20, 8)},
      {"random", RandomBytes(1 << 20, 8)},
  };
  for (const auto& [name, data] : inputs) {
    SCOPED_TRACE(name);
    const Parsed parsed = ParseWithLimit(data, codec::OptimalParser::kDefaultPendingLimit);
    EXPECT_EQ(parsed.stats.forced_commits, 0u);
    EXPECT_LT(parsed.stats.max_pending, 4096u);
    EXPECT_TRUE(DecodeSzddNaively(parsed.file).output == data);
  }
}

// Two ways into a run of zeros (a literal 3 then a 4-byte match, or a match of "0003" then the
// run) keep parses of different phases open: which is cheaper depends on where the run ends.
Bytes ZeroRunAfterThree(std::size_t run) {
  // The head goes in front of the run: growing the head instead, or writing through an index,
  // makes GCC 12 warn falsely (out-of-bounds copy at -O3, null dereference at -O2).
  Bytes data(run, 0);
  data.insert(data.begin(), {0, 0, 0, 3});
  return data;
}

TEST(ParserBound, AZeroRunCanKeepTwoParsesOpenToItsEnd) {
  for (const std::size_t run : {std::size_t{30000}, std::size_t{30001}, std::size_t{30011}}) {
    SCOPED_TRACE(run);
    const Bytes data = ZeroRunAfterThree(run);
    const Parsed parsed = ParseWithLimit(data, codec::OptimalParser::kDefaultPendingLimit);
    EXPECT_EQ(parsed.stats.forced_commits, 0u);
    EXPECT_GE(parsed.stats.max_pending, run);
    const NaiveDecode naive = DecodeSzddNaively(parsed.file);
    EXPECT_TRUE(naive.output == data);
    EXPECT_EQ(naive.bits(), MinimumSzddBits(data));
  }
}

TEST(ParserBound, TwoParsesCanStayOpenOverLongContrivedData) {
  const Bytes data = BlockPairs(20000);
  const Parsed parsed = ParseWithLimit(data, data.size() + 64);
  EXPECT_EQ(parsed.stats.forced_commits, 0u);
  EXPECT_GT(parsed.stats.max_pending, 8000u);
}

TEST(ParserBound, TheCapHoldsAndCostsAtMostNineteenBitsEachTime) {
  for (const Bytes& data : {BlockPairs(2400), ZeroRunAfterThree(50000)}) {
    constexpr std::size_t kLimit = 600;
    const Parsed parsed = ParseWithLimit(data, kLimit);
    EXPECT_GT(parsed.stats.forced_commits, 0u);
    EXPECT_LT(parsed.stats.max_pending,
              kLimit + kLimit / 2);  // decisions come late by half at most
    const NaiveDecode naive = DecodeSzddNaively(parsed.file);
    ASSERT_TRUE(naive.ok);
    EXPECT_TRUE(naive.output == data);
    EXPECT_LE(naive.bits(), MinimumSzddBits(data) + 19 * parsed.stats.forced_commits);
  }
}

}  // namespace
}  // namespace codec_test
