// KWAJ files built here field by field: optional header fields, each method, and damage.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "codec/codec.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;

struct KwajFields {
  std::optional<std::uint32_t> length;
  bool two_unknown_bytes = false;
  std::optional<Bytes> unknown_block;
  std::optional<std::string> name;
  std::optional<std::string> extension;
  std::optional<Bytes> text;
  std::size_t gap = 0;  // bytes between the fields and the data
};

void PutLe16(Bytes& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

Bytes KwajFile(std::uint16_t method, const KwajFields& fields, const Bytes& data) {
  Bytes body;
  std::uint16_t flags = 0;
  if (fields.length) {
    flags |= 1;
    PutLe16(body, *fields.length & 0xFFFF);
    PutLe16(body, *fields.length >> 16);
  }
  if (fields.two_unknown_bytes) {
    flags |= 2;
    PutLe16(body, 0xBEEF);
  }
  if (fields.unknown_block) {
    flags |= 4;
    PutLe16(body, fields.unknown_block->size());
    body.insert(body.end(), fields.unknown_block->begin(), fields.unknown_block->end());
  }
  for (const auto& [flag, text] : {std::pair{8, &fields.name}, std::pair{16, &fields.extension}}) {
    if (*text) {
      flags = static_cast<std::uint16_t>(flags | flag);
      body.insert(body.end(), (*text)->begin(), (*text)->end());
      body.push_back(0);
    }
  }
  if (fields.text) {
    flags |= 32;
    PutLe16(body, fields.text->size());
    body.insert(body.end(), fields.text->begin(), fields.text->end());
  }
  body.insert(body.end(), fields.gap, 0xAA);
  Bytes file{0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1};
  PutLe16(file, method);
  PutLe16(file, 14 + body.size());
  PutLe16(file, flags);
  file.insert(file.end(), body.begin(), body.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

Error ExpandFile(const Bytes& file, Bytes& out, codec::Header* header = nullptr) {
  return codec::Expand(file, out, header);
}

TEST(Kwaj, StoredAndInvertedDataWithEveryOptionalField) {
  const Bytes data = Text(5000, 4);
  Bytes flipped = data;
  for (auto& b : flipped)
    b = static_cast<std::uint8_t>(~b);
  const Bytes& inverted = flipped;
  const KwajFields fields{static_cast<std::uint32_t>(data.size()),
                          true,
                          Bytes{1, 2, 3},
                          "RAPPORT",
                          "TXT",
                          Bytes{'n', 'o', 't', 'e'},
                          5};
  for (const auto& [method, coded] : {std::pair{0, &data}, std::pair{1, &inverted}}) {
    SCOPED_TRACE(method);
    Bytes out;
    codec::Header header;
    ASSERT_EQ(
        ExpandFile(KwajFile(static_cast<std::uint16_t>(method), fields, *coded), out, &header),
        Error::kOk);
    EXPECT_TRUE(out == data);
    EXPECT_EQ(header.kwaj_method, method);
    EXPECT_EQ(header.kwaj_name, "RAPPORT");
    EXPECT_EQ(header.kwaj_extension, "TXT");
    EXPECT_EQ(header.length, data.size());
  }
}

TEST(Kwaj, WithoutALengthFieldTheDataDecidesTheLength) {
  Bytes out;
  codec::Header header;
  ASSERT_EQ(ExpandFile(KwajFile(0, {}, Bytes{1, 2, 3}), out, &header), Error::kOk);
  EXPECT_TRUE(out == (Bytes{1, 2, 3}));
  EXPECT_FALSE(header.length.has_value());
}

TEST(Kwaj, DamagedHeadersAreRefused) {
  Bytes out;
  EXPECT_EQ(ExpandFile(KwajFile(5, {}, {}), out), Error::kUnknownMethod);
  KwajFields long_name;
  long_name.name = "NEUFLETTR";  // nine characters: no room for the NUL
  EXPECT_EQ(ExpandFile(KwajFile(0, long_name, Bytes(20, 'x')), out), Error::kBadHeader);
  KwajFields long_extension;
  long_extension.extension = "TEXT";
  EXPECT_EQ(ExpandFile(KwajFile(0, long_extension, Bytes(20, 'x')), out), Error::kBadHeader);
  // The data offset points inside the optional fields.
  KwajFields named;
  named.name = "A";
  Bytes inside = KwajFile(0, named, Bytes{1});
  inside[10] = 15;
  EXPECT_EQ(ExpandFile(inside, out), Error::kBadHeader);
  // The announced length is not what the data gives.
  KwajFields length;
  length.length = 4;
  EXPECT_EQ(ExpandFile(KwajFile(0, length, Bytes{1, 2, 3}), out), Error::kTruncated);
  EXPECT_EQ(ExpandFile(KwajFile(0, length, Bytes{1, 2, 3, 4, 5}), out), Error::kLengthMismatch);
}

TEST(Kwaj, MethodTwoStartsItsWindowEighteenBeforeTheEnd) {
  // Eight literals, then 8 bytes from ring index 4078, where the first literal went.
  const Bytes stream{0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00, 0xEE, 0xF5};
  Bytes out;
  ASSERT_EQ(ExpandFile(KwajFile(2, {}, stream), out), Error::kOk);
  EXPECT_EQ(std::string(out.begin(), out.end()), "abcdefghabcdefgh");
}

// MS-ZIP blocks made with zlib, each primed with the previous 32 KiB as DEFLATE allows.
Bytes MsZip(const Bytes& data, std::size_t block_size) {
  Bytes out;
  for (std::size_t at = 0; at < data.size(); at += block_size) {
    const std::size_t n = std::min(block_size, data.size() - at);
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);
    const std::size_t history = std::min<std::size_t>(at, 32768);
    if (history > 0) {
      EXPECT_EQ(deflateSetDictionary(&z, data.data() + at - history, static_cast<uInt>(history)),
                Z_OK);
    }
    Bytes block(deflateBound(&z, static_cast<uLong>(n)) + 16);
    z.next_in = const_cast<Bytef*>(data.data() + at);
    z.avail_in = static_cast<uInt>(n);
    z.next_out = block.data();
    z.avail_out = static_cast<uInt>(block.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    block.resize(z.total_out);
    deflateEnd(&z);
    PutLe16(out, block.size() + 2);
    out.push_back('C');
    out.push_back('K');
    out.insert(out.end(), block.begin(), block.end());
  }
  PutLe16(out, 0);
  return out;
}

TEST(Kwaj, MsZipBlocksShareTheirHistory) {
  const Bytes data = Text(150000, 12);
  const Bytes file = KwajFile(4, {}, MsZip(data, 32768));
  Bytes out;
  ASSERT_EQ(ExpandFile(file, out), Error::kOk);
  EXPECT_TRUE(out == data);
  // Fed a byte at a time, the same.
  codec::VectorSink sink;
  codec::Expander expander(sink);
  for (const std::uint8_t byte : file)
    ASSERT_EQ(expander.Feed(std::span(&byte, 1)), Error::kOk);
  ASSERT_EQ(expander.Finish(), Error::kOk);
  EXPECT_TRUE(sink.bytes == data);
}

TEST(Kwaj, DamagedMsZipIsRefused) {
  const Bytes data = Text(70000, 13);
  const Bytes good = MsZip(data, 32768);
  Bytes out;
  // No end mark.
  EXPECT_EQ(ExpandFile(KwajFile(4, {}, Bytes(good.begin(), good.end() - 2)), out),
            Error::kTruncated);
  // Bytes after the end mark.
  Bytes trailing = good;
  trailing.push_back(7);
  EXPECT_EQ(ExpandFile(KwajFile(4, {}, trailing), out), Error::kCorruptData);
  // A block without its "CK".
  Bytes no_ck = good;
  no_ck[3] = 'X';
  EXPECT_EQ(ExpandFile(KwajFile(4, {}, no_ck), out), Error::kCorruptData);
  // A block length one short of its stream, and one past it.
  for (const int delta : {-1, +1}) {
    Bytes wrong = good;
    const int length = wrong[0] | (wrong[1] << 8);
    wrong[0] = static_cast<std::uint8_t>(length + delta);
    wrong[1] = static_cast<std::uint8_t>((length + delta) >> 8);
    EXPECT_NE(ExpandFile(KwajFile(4, {}, wrong), out), Error::kOk) << delta;
  }
  // A block giving more than 32 KiB.
  EXPECT_EQ(ExpandFile(KwajFile(4, {}, MsZip(data, 40000)), out), Error::kCorruptData);
  // Garbage instead of DEFLATE.
  EXPECT_EQ(
      ExpandFile(KwajFile(4, {}, Bytes{0x06, 0x00, 'C', 'K', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}), out),
      Error::kCorruptData);
}

// Method 3 streams written here, most significant bit first.
class BitWriter {
 public:
  void Put(std::uint32_t value, unsigned bits) {
    for (unsigned i = bits; i-- > 0;) {
      current_ = static_cast<std::uint8_t>((std::uint32_t{current_} << 1u) | ((value >> i) & 1u));
      if (++used_ == 8) {
        bytes_.push_back(current_);
        used_ = 0;
      }
    }
  }
  std::size_t size() const { return bytes_.size() * 8 + used_; }
  Bytes Done() {
    Bytes out = bytes_;
    if (used_ > 0)
      out.push_back(static_cast<std::uint8_t>(std::uint32_t{current_} << (8u - used_)));
    return out;
  }

 private:
  Bytes bytes_;
  std::uint8_t current_ = 0;
  unsigned used_ = 0;
};

using Lengths = std::array<std::uint8_t, 16>;

// The tables with the first match-length table plain 4-bit codes, the second one as given, written
// out symbol by symbol, and the others fixed.
BitWriter LzhWithSecondTable(const Lengths& second) {
  BitWriter bits;
  for (const unsigned type : {3u, 3u, 0u, 0u, 0u, 0u})
    bits.Put(type, 4);
  for (int i = 0; i < 16; ++i)
    bits.Put(4, 4);
  for (const std::uint8_t length : second)
    bits.Put(length, 4);
  return bits;
}

// The second table lacks symbol 0 and gives symbol 15 the 3-bit code 000, so that symbols 1 to 14
// have the 4-bit codes 2 to 15 (symbol s, code s + 1): shows which table each code is read from.
BitWriter LzhWithTables() {
  return LzhWithSecondTable({0, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3});
}

void PutRun(BitWriter& bits, const std::string& literals) {
  bits.Put(0, 4);  // match-length code 0, from the first table
  bits.Put(static_cast<std::uint32_t>(literals.size() - 1), 5);
  for (const char c : literals)
    bits.Put(static_cast<std::uint8_t>(c), 8);
}

TEST(Kwaj, MethodThreeSwitchesTablesAsLiteralRunsEnd) {
  BitWriter bits = LzhWithTables();
  PutRun(bits, "abcd");
  bits.Put(2 + 1, 4);  // after a short run: second table, symbol 2 = length 4
  bits.Put(0, 6);      // distance 4: offset code 0 ...
  bits.Put(4, 6);      // ... and 6 low bits
  const std::string full(32, 'z');
  PutRun(bits, full);  // back on the first table
  PutRun(bits, "!");   // after a run of 32 the table stays the first one
  bits.Put(3 + 1, 4);  // second table again: length 5
  bits.Put(0, 6);
  bits.Put(1, 6);  // distance 1: repeats the '!'
  const std::string expected = "abcdabcd" + full + "!!!!!!";
  const Bytes stream = bits.Done();
  for (const bool with_length : {false, true}) {
    SCOPED_TRACE(with_length);
    KwajFields fields;
    if (with_length) fields.length = static_cast<std::uint32_t>(expected.size());
    Bytes out;
    ASSERT_EQ(ExpandFile(KwajFile(3, fields, stream), out), Error::kOk);
    EXPECT_EQ(std::string(out.begin(), out.end()), expected);
  }
}

TEST(Kwaj, DamagedMethodThreeIsRefused) {
  Bytes out;
  // A table type that does not exist.
  BitWriter bad_type;
  for (const unsigned type : {4u, 0u, 0u, 0u, 0u, 0u})
    bad_type.Put(type, 4);
  bad_type.Put(0, 32);
  EXPECT_EQ(ExpandFile(KwajFile(3, {}, bad_type.Done()), out), Error::kCorruptData);
  // Code lengths that over-fill the code space.
  BitWriter crowded;
  for (const unsigned type : {3u, 0u, 0u, 0u, 0u, 0u})
    crowded.Put(type, 4);
  for (int i = 0; i < 16; ++i)
    crowded.Put(1, 4);
  crowded.Put(0, 32);
  EXPECT_EQ(ExpandFile(KwajFile(3, {}, crowded.Done()), out), Error::kCorruptData);
  // Cut inside a literal run, well before the last byte.
  BitWriter cut = LzhWithTables();
  cut.Put(0, 4);
  cut.Put(31, 5);
  cut.Put('q', 8);
  cut.Put('q', 8);
  EXPECT_EQ(ExpandFile(KwajFile(3, {}, cut.Done()), out), Error::kTruncated);
}

// A code table must fill its code space exactly, or damaged data could read as something. The
// second match-length table varies; the data is one short run read from the first, so the second
// table is read and checked but never used.
TEST(Kwaj, MethodThreeTablesMustFillTheirCodeSpace) {
  const struct {
    const char* shape;
    Lengths second;
    Error expected;
  } cases[] = {
      {"complete, one length", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}, Error::kOk},
      {"complete, every length",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15},
       Error::kOk},
      {"one used symbol", {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Error::kOk},
      {"one used symbol, long code", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}, Error::kOk},
      {"no used symbol", {}, Error::kOk},
      {"over-subscribed", {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}, Error::kCorruptData},
      {"over by one code", {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Error::kCorruptData},
      {"one code missing", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 0}, Error::kCorruptData},
      {"a quarter missing", {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Error::kCorruptData},
      {"one deep code missing",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0},
       Error::kCorruptData},
      {"two used symbols, short",
       {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2},
       Error::kCorruptData},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape);
    BitWriter bits = LzhWithSecondTable(c.second);
    PutRun(bits, "abc");
    Bytes out;
    EXPECT_EQ(ExpandFile(KwajFile(3, {}, bits.Done()), out), c.expected);
    if (c.expected == Error::kOk) {
      EXPECT_EQ(std::string(out.begin(), out.end()), "abc");
    }
  }
}

TEST(Kwaj, MethodThreeMissingCodesOfSparseTablesAreDamage) {
  for (const Lengths& sparse : {Lengths{0, 0, 0, 1}, Lengths{}}) {
    BitWriter bits = LzhWithSecondTable(sparse);
    PutRun(bits, "abc");
    bits.Put(0xFFFF, 16);  // read from the second table, which holds no code of ones
    Bytes out;
    EXPECT_EQ(ExpandFile(KwajFile(3, {}, bits.Done()), out), Error::kCorruptData);
  }
}

TEST(Kwaj, MethodThreeFixtureWithADamagedLiteralTableIsRefused) {
  Bytes file = ReadFile(FixtureDir() / "kwaj-method3-tables.tx$");
  Bytes out;
  ASSERT_EQ(ExpandFile(file, out), Error::kOk);
  file[132] = 0x7A;  // the literal table no longer fills its code space
  EXPECT_EQ(ExpandFile(file, out), Error::kCorruptData);
}

TEST(Kwaj, MethodThreeCutInsideAMatchLengthCodeIsTruncated) {
  // The second table's codes of ones run to 15 bits. Two short runs, the second from that table
  // (symbol 0, code 0), then a code of ones cut after more than a byte: a byte is not padding.
  BitWriter bits = LzhWithSecondTable({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15});
  PutRun(bits, "abc");
  bits.Put(0, 1);
  bits.Put(0, 5);
  bits.Put('d', 8);
  const auto ones = static_cast<unsigned>(8 + (8 - bits.size() % 8) % 8);
  ASSERT_LT(ones, 15u);
  bits.Put((1u << ones) - 1, ones);
  Bytes out;
  EXPECT_EQ(ExpandFile(KwajFile(3, {}, bits.Done()), out), Error::kTruncated);
}

}  // namespace
}  // namespace codec_test
