// DEFLATE streams written symbol by symbol for the inflater's tests, so that a test says exactly
// what a stream holds, valid or not: block headers, fixed-code symbols, stored blocks, and dynamic
// headers from any code lengths.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace codec_test {

class DeflateStream {
 public:
  DeflateStream& Bits(std::uint32_t value, unsigned count);
  // A Huffman code of `length` bits, sent from its most significant bit.
  DeflateStream& Code(std::uint32_t code, unsigned length);
  // The final-block bit and the block type (3 = reserved).
  DeflateStream& Header(bool final, unsigned type);
  // Fixed code: any literal/length symbol (286 and 287 included), a literal, the end of block,
  // a match by its length and distance, or a distance by its symbol (30 and 31 included).
  DeflateStream& Symbol(unsigned symbol);
  DeflateStream& Literal(std::uint8_t byte) { return Symbol(byte); }
  DeflateStream& EndOfBlock() { return Symbol(256); }
  DeflateStream& Match(unsigned length, unsigned distance);
  DeflateStream& DistanceSymbol(unsigned symbol);
  // A stored block: aligned, its length and that length's complement (as given), then its bytes.
  DeflateStream& Stored(bool final, const std::vector<std::uint8_t>& bytes);
  DeflateStream& StoredLengths(std::uint16_t length, std::uint16_t complement);
  // A dynamic block's header up to its code-length code, whose lengths are given in symbol order
  // (all 19 written).
  DeflateStream& CodeLengthCode(bool final, std::size_t literal_count, std::size_t distance_count,
                                const std::array<std::uint8_t, 19>& lengths);
  // A whole dynamic header, unchecked: the code lengths as code-length symbols, each with its
  // extra bits, coded with a code-length code of 4-bit codes for 0-12 and 5-bit ones for 13-18.
  struct CodeLengthSymbol {
    std::uint8_t symbol = 0;
    std::uint8_t extra = 0;
  };
  DeflateStream& DynamicHeader(bool final, std::size_t literal_count, std::size_t distance_count,
                               const std::vector<CodeLengthSymbol>& symbols);
  // The same for plain lengths, one symbol each.
  DeflateStream& DynamicHeader(bool final, const std::vector<std::uint8_t>& literal_lengths,
                               const std::vector<std::uint8_t>& distance_lengths);
  // Bits left before the next byte boundary.
  unsigned BitsToByte() const { return static_cast<unsigned>((8 - bits_.size() % 8) % 8); }
  // Up to the next byte boundary.
  std::vector<std::uint8_t> Bytes() const;

 private:
  std::vector<bool> bits_;  // in the order they go out
};

}  // namespace codec_test
