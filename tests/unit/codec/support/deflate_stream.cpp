#include "support/deflate_stream.h"

#include "mszip/deflate_tables.h"

namespace codec_test {
namespace {

// A Huffman code goes out from its most significant bit.
std::uint32_t Reversed(std::uint32_t code, unsigned length) {
  std::uint32_t reversed = 0;
  for (unsigned i = 0; i < length; ++i)
    reversed |= ((code >> i) & 1u) << (length - 1 - i);
  return reversed;
}

}  // namespace

DeflateStream& DeflateStream::Bits(std::uint32_t value, unsigned count) {
  for (unsigned i = 0; i < count; ++i)
    bits_.push_back(((value >> i) & 1u) != 0);
  return *this;
}

DeflateStream& DeflateStream::Code(std::uint32_t code, unsigned length) {
  return Bits(Reversed(code, length), length);
}

DeflateStream& DeflateStream::Header(bool final, unsigned type) {
  return Bits(final ? 1 : 0, 1).Bits(type, 2);
}

DeflateStream& DeflateStream::Symbol(unsigned symbol) {
  // The fixed code: 0-143 in 8 bits from 0x30, 144-255 in 9 from 0x190, 256-279 in 7 from 0,
  // 280-287 in 8 from 0xC0.
  if (symbol < 144) return Code(0x30 + symbol, 8);
  if (symbol < 256) return Code(0x190 + symbol - 144, 9);
  if (symbol < 280) return Code(symbol - 256, 7);
  return Code(0xC0 + symbol - 280, 8);
}

DeflateStream& DeflateStream::Match(unsigned length, unsigned distance) {
  const std::uint32_t slot = codec::deflate::LengthSlot(length);
  const auto& length_range = codec::deflate::kLengthRanges[slot];
  Symbol(codec::deflate::kFirstLengthSymbol + slot);
  Bits(length - length_range.base, length_range.extra);
  const std::uint32_t symbol = codec::deflate::DistanceSymbol(distance);
  const auto& distance_range = codec::deflate::kDistanceRanges[symbol];
  DistanceSymbol(symbol);
  return Bits(distance - distance_range.base, distance_range.extra);
}

DeflateStream& DeflateStream::DistanceSymbol(unsigned symbol) {
  return Code(symbol, 5);
}

DeflateStream& DeflateStream::Stored(bool final, const std::vector<std::uint8_t>& bytes) {
  Header(final, codec::deflate::kStoredBlock);
  const auto length = static_cast<std::uint16_t>(bytes.size());
  StoredLengths(length, static_cast<std::uint16_t>(~length));
  for (const std::uint8_t byte : bytes)
    Bits(byte, 8);
  return *this;
}

DeflateStream& DeflateStream::StoredLengths(std::uint16_t length, std::uint16_t complement) {
  return Bits(0, BitsToByte()).Bits(length, 16).Bits(complement, 16);
}

DeflateStream& DeflateStream::CodeLengthCode(bool final, std::size_t literal_count,
                                             std::size_t distance_count,
                                             const std::array<std::uint8_t, 19>& lengths) {
  Header(final, codec::deflate::kDynamicBlock);
  Bits(static_cast<std::uint32_t>(literal_count - 257), 5);
  Bits(static_cast<std::uint32_t>(distance_count - 1), 5);
  Bits(19 - 4, 4);
  for (const std::uint8_t symbol : codec::deflate::kCodeLengthOrder)
    Bits(lengths[symbol], 3);
  return *this;
}

DeflateStream& DeflateStream::DynamicHeader(bool final, std::size_t literal_count,
                                            std::size_t distance_count,
                                            const std::vector<CodeLengthSymbol>& symbols) {
  std::array<std::uint8_t, 19> lengths{};
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol)
    lengths[symbol] = symbol < 13 ? 4 : 5;
  CodeLengthCode(final, literal_count, distance_count, lengths);
  constexpr unsigned kExtraBits[] = {2, 3, 7};  // after 16, 17 and 18
  for (const CodeLengthSymbol& coded : symbols) {
    if (coded.symbol < 13) {
      Code(coded.symbol, 4);
    } else {
      Code(26u + coded.symbol - 13u, 5);
    }
    if (coded.symbol >= 16) Bits(coded.extra, kExtraBits[coded.symbol - 16]);
  }
  return *this;
}

DeflateStream& DeflateStream::DynamicHeader(bool final,
                                            const std::vector<std::uint8_t>& literal_lengths,
                                            const std::vector<std::uint8_t>& distance_lengths) {
  std::vector<CodeLengthSymbol> symbols;
  for (const std::uint8_t length : literal_lengths)
    symbols.push_back({length});
  for (const std::uint8_t length : distance_lengths)
    symbols.push_back({length});
  return DynamicHeader(final, literal_lengths.size(), distance_lengths.size(), symbols);
}

std::vector<std::uint8_t> DeflateStream::Bytes() const {
  std::vector<std::uint8_t> bytes((bits_.size() + 7) / 8);
  for (std::size_t i = 0; i < bits_.size(); ++i) {
    if (bits_[i]) bytes[i / 8] = static_cast<std::uint8_t>(bytes[i / 8] | 1u << (i % 8));
  }
  return bytes;
}

}  // namespace codec_test
