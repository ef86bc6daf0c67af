#include "kwaj/kwaj_lzh.h"

#include <algorithm>

#include "common/format.h"

namespace codec {
namespace {

constexpr std::array<std::size_t, 5> kTableSizes{16, 16, 32, 64, 256};
constexpr std::array<std::uint8_t, 5> kFixedLengths{4, 4, 5, 6, 8};
constexpr unsigned kRunLengthMax = 31;  // a run of 32 literals may be followed by another run
constexpr unsigned kMatchBase = 2;
constexpr unsigned kOffsetLowBits = 6;

// Upper bounds that let Feed decode without ever meeting the end of what it was given: the
// tables take at most 24 + 384 * 6 bits, an item at most 16 + 16 + 32 * 16 bits.
constexpr std::size_t kTablesMaxBytes = 300;
constexpr std::size_t kItemMaxBytes = 72;
constexpr std::size_t kFeedPiece = 4096;

bool ReadLengths(MsbBitReader& reader, unsigned type, std::size_t table,
                 std::vector<std::uint8_t>& lengths) {
  const std::size_t count = kTableSizes[table];
  lengths.assign(count, 0);
  if (type == 0) {
    std::fill(lengths.begin(), lengths.end(), kFixedLengths[table]);
    return true;
  }
  if (type > 3) return false;
  auto value = static_cast<std::int32_t>(reader.Bits(4));
  lengths[0] = static_cast<std::uint8_t>(value);
  for (std::size_t i = 1; i < count; ++i) {
    if (type == 1) {
      if (reader.Bit() != 0)
        value = reader.Bit() == 0 ? value + 1 : static_cast<std::int32_t>(reader.Bits(4));
    } else if (type == 2) {
      const std::uint32_t selector = reader.Bits(2);
      value = selector == 3 ? static_cast<std::int32_t>(reader.Bits(4))
                            : value + static_cast<std::int32_t>(selector) - 1;
    } else {
      value = static_cast<std::int32_t>(reader.Bits(4));
    }
    if (value < 0 || value > static_cast<std::int32_t>(kMaxHuffmanCodeLength)) return false;
    lengths[i] = static_cast<std::uint8_t>(value);
  }
  return true;
}

}  // namespace

KwajLzhDecoder::KwajLzhDecoder(CheckedOutput& out) : out_(out), window_(out, 0) {}

Error KwajLzhDecoder::Feed(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), kFeedPiece);
    input_.insert(input_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    bytes = bytes.subspan(n);
    if (const Error e = Decode(false); e != Error::kOk) return e;
  }
  return Error::kOk;
}

Error KwajLzhDecoder::Finish() {
  if (const Error e = Decode(true); e != Error::kOk) return e;
  if (const Error e = window_.Flush(); e != Error::kOk) return e;
  return out_.CheckComplete();
}

Error KwajLzhDecoder::Decode(bool final) {
  MsbBitReader reader(input_);
  reader.Bits(static_cast<unsigned>(bit_));  // resume where the last call stopped
  Error error = Error::kOk;
  if (!have_tables_) {
    if (!final && input_.size() < kTablesMaxBytes) return Error::kOk;
    error = ReadTables(reader);
    if (error != Error::kOk) return error;
    have_tables_ = true;
  }
  while (!ended_) {
    if (!final && reader.bits_left() < kItemMaxBytes * 8) break;
    error = DecodeItem(reader, final, ended_);
    if (error != Error::kOk) return error;
  }
  bit_ = reader.bit_position();
  const std::size_t whole = bit_ / 8;
  input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(whole));
  bit_ -= whole * 8;
  return Error::kOk;
}

Error KwajLzhDecoder::ReadTables(MsbBitReader& reader) {
  std::array<unsigned, 6> types{};
  for (unsigned& type : types)
    type = reader.Bits(4);  // the sixth is padding
  std::vector<std::uint8_t> lengths;
  for (std::size_t table = 0; table < tables_.size(); ++table) {
    if (!ReadLengths(reader, types[table], table, lengths)) return Error::kCorruptData;
    if (reader.overrun()) return Error::kTruncated;
    if (!tables_[table].Build(lengths, IncompleteCodes::kEmptyOrSingle)) return Error::kCorruptData;
  }
  return Error::kOk;
}

Error KwajLzhDecoder::DecodeItem(MsbBitReader& reader, bool final, bool& ended) {
  const std::size_t bits_at_start = reader.bits_left();
  // Once the announced length is out, what is left of the last byte is padding.
  const auto expected = out_.expected();
  if (bits_at_start == 0 || (expected && window_.produced() == *expected && bits_at_start < 8)) {
    ended = final;
    return Error::kOk;
  }
  // The input may end only where a match-length code starts; an item cut later is padding when
  // it began in the last byte, else the file was cut short. A whole byte or more cannot be
  // padding, even when the cut falls inside the first code.
  auto cut = [&] {
    if (bits_at_start < 8) {
      ended = true;
      return Error::kOk;
    }
    return Error::kTruncated;
  };
  const int code = tables_[current_].Decode(reader);
  if (reader.overrun()) return cut();
  if (code < 0) return Error::kCorruptData;
  if (code > 0) {
    const int offset = tables_[kOffsets].Decode(reader);
    const std::uint32_t low = reader.Bits(kOffsetLowBits);
    if (reader.overrun()) return cut();
    if (offset < 0) return Error::kCorruptData;
    const std::uint32_t distance = (static_cast<std::uint32_t>(offset) << kOffsetLowBits) | low;
    current_ = kMatchLengths;
    return window_.CopyFromDistance(distance == 0 ? kWindowSize : distance,
                                    static_cast<std::uint32_t>(code) + kMatchBase);
  }
  const int run = tables_[kRunLengths].Decode(reader);
  if (reader.overrun()) return cut();
  if (run < 0) return Error::kCorruptData;
  std::array<std::uint8_t, kRunLengthMax + 1> literals{};
  for (int i = 0; i <= run; ++i) {
    const int literal = tables_[kLiterals].Decode(reader);
    if (reader.overrun()) return cut();
    if (literal < 0) return Error::kCorruptData;
    literals[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(literal);
  }
  for (int i = 0; i <= run; ++i) {
    if (const Error e = window_.Literal(literals[static_cast<std::size_t>(i)]); e != Error::kOk) {
      return e;
    }
  }
  if (static_cast<unsigned>(run) != kRunLengthMax) current_ = kMatchLengthsAfterRun;
  return Error::kOk;
}

}  // namespace codec
