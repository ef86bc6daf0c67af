#include "mszip/deflate_block.h"

namespace codec::deflate {
namespace {

constexpr std::uint64_t kBlockHeaderBits = 3;
constexpr std::uint64_t kStoredLengthBits = 32;  // the length and its complement

void WriteStored(std::span<const std::uint8_t> bytes, BitWriter& out) {
  out.Align();
  const auto size = static_cast<std::uint32_t>(bytes.size());
  out.Put(size, 16);
  out.Put(~size & 0xFFFFu, 16);
  for (const std::uint8_t byte : bytes)
    out.Put(byte, 8);
}

void WriteSymbols(const Block& block, std::span<const std::uint8_t> bytes, BitWriter& out) {
  const auto literal_length = WriterCodes(block.code.literal_length);
  const auto distance = WriterCodes(block.code.distance);
  std::size_t at = 0;
  for (const lz::Step& step : block.steps) {
    if (step.distance == 0) {
      out.Put(literal_length[bytes[at]], block.code.literal_length[bytes[at]]);
    } else {
      const std::uint32_t slot = LengthSlot(step.length);
      const std::uint32_t symbol = kFirstLengthSymbol + slot;
      out.Put(literal_length[symbol], block.code.literal_length[symbol]);
      out.Put(step.length - kLengthRanges[slot].base, kLengthRanges[slot].extra);
      const std::uint32_t place = DistanceSymbol(step.distance);
      out.Put(distance[place], block.code.distance[place]);
      out.Put(step.distance - kDistanceRanges[place].base, kDistanceRanges[place].extra);
    }
    at += step.length;
  }
  out.Put(literal_length[kEndOfBlock], block.code.literal_length[kEndOfBlock]);
}

}  // namespace

std::uint64_t StoredBits(std::uint32_t size, std::uint64_t bit_position) {
  const std::uint64_t after_header = bit_position + kBlockHeaderBits;
  const std::uint64_t padding = (8 - after_header % 8) % 8;
  return kBlockHeaderBits + padding + kStoredLengthBits + 8 * std::uint64_t{size};
}

std::uint64_t HuffmanBits(BlockType type, const SymbolCounts& counts, const BlockCode& code,
                          const TreeHeader& header) {
  const std::uint64_t header_bits = type == BlockType::kDynamic ? header.bits : 0;
  return kBlockHeaderBits + header_bits + DataBits(counts, code);
}

void WriteBlock(const Block& block, std::span<const std::uint8_t> bytes, bool final,
                BitWriter& out) {
  out.Put(final ? 1 : 0, 1);
  switch (block.type) {
    case BlockType::kStored:
      out.Put(kStoredBlock, 2);
      WriteStored(bytes, out);
      break;
    case BlockType::kFixed:
      out.Put(kFixedBlock, 2);
      WriteSymbols(block, bytes, out);
      break;
    case BlockType::kDynamic:
      out.Put(kDynamicBlock, 2);
      WriteTreeHeader(block.header, out);
      WriteSymbols(block, bytes, out);
      break;
  }
}

}  // namespace codec::deflate
