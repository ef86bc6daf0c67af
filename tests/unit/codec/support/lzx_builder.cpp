#include "support/lzx_builder.h"

#include <vector>

#include "bits/code_lengths.h"
#include "lzx/lzx_block_codes.h"
#include "lzx/lzx_tree_writer.h"

namespace codec_test {

using codec::LzxBlockType;

codec::LzxTreeLengths FlatTrees(unsigned window_bits) {
  codec::LzxTreeLengths lengths;
  const unsigned symbols = codec::LzxMainSymbols(window_bits);
  const std::vector<std::uint32_t> main(symbols, 1);
  codec::BuildCodeLengths(main, 16, std::span(lengths.main).first(symbols));
  const std::vector<std::uint32_t> length(codec::kLzxLengthSymbols, 1);
  codec::BuildCodeLengths(length, 16, lengths.length);
  lengths.aligned.fill(3);
  return lengths;
}

LzxBuilder::LzxBuilder(unsigned window_bits, std::optional<std::uint32_t> translation_size)
    : window_bits_(window_bits) {
  bits_.Put(translation_size ? 1 : 0, 1);
  if (translation_size) bits_.Put(*translation_size, 32);
}

LzxBuilder& LzxBuilder::Bits(std::uint32_t value, unsigned count) {
  bits_.Put(value, count);
  return *this;
}

LzxBuilder& LzxBuilder::BlockHeader(LzxBlockType type, std::uint32_t size) {
  bits_.Put(static_cast<std::uint32_t>(type), 3);
  bits_.Put(size, 24);
  return *this;
}

LzxBuilder& LzxBuilder::Trees(const codec::LzxTreeLengths& lengths, LzxBlockType type) {
  const unsigned symbols = codec::LzxMainSymbols(window_bits_);
  if (type == LzxBlockType::kAligned) {
    for (const std::uint8_t length : lengths.aligned)
      bits_.Put(length, 3);
  }
  const auto previous = std::span(previous_.main).first(symbols);
  const auto main = std::span(lengths.main).first(symbols);
  codec::WriteLzxTree(bits_, previous.first(256), main.first(256));
  codec::WriteLzxTree(bits_, previous.subspan(256), main.subspan(256));
  codec::WriteLzxTree(bits_, previous_.length, lengths.length);
  previous_ = lengths;
  lengths_ = lengths;
  return *this;
}

LzxBuilder& LzxBuilder::Pretree(std::initializer_list<unsigned> symbols) {
  std::array<std::uint32_t, codec::kLzxPretreeSymbols> counts{};
  for (const unsigned symbol : symbols)
    counts[symbol] = 1;
  codec::BuildCodeLengths(counts, 15, pretree_);
  codec::CanonicalCodes(pretree_, pretree_codes_);
  for (const std::uint8_t length : pretree_)
    bits_.Put(length, 4);
  return *this;
}

LzxBuilder& LzxBuilder::PretreeSymbol(unsigned symbol) {
  bits_.Put(pretree_codes_[symbol], pretree_[symbol]);
  return *this;
}

LzxBuilder& LzxBuilder::TreeSection(std::span<const std::uint8_t> previous,
                                    std::span<const std::uint8_t> lengths) {
  codec::WriteLzxTree(bits_, previous, lengths);
  return *this;
}

LzxBuilder& LzxBuilder::UseTrees(const codec::LzxTreeLengths& lengths) {
  previous_ = lengths;
  lengths_ = lengths;
  return *this;
}

LzxBuilder& LzxBuilder::Tokens(std::span<const codec::LzxToken> tokens, LzxBlockType type) {
  const codec::LzxBlockCodes codes(lengths_, window_bits_);
  for (const codec::LzxToken& token : tokens)
    codes.Put(bits_, token, type);
  return *this;
}

LzxBuilder& LzxBuilder::Literals(const Bytes& bytes, LzxBlockType type) {
  std::vector<codec::LzxToken> tokens;
  for (const std::uint8_t byte : bytes)
    tokens.push_back(codec::LzxToken::Literal(byte));
  return Tokens(tokens, type);
}

LzxBuilder& LzxBuilder::UncompressedHeader(std::uint32_t size, const codec::LzxRepeated& repeated) {
  BlockHeader(LzxBlockType::kUncompressed, size);
  bits_.PadToNextWord();
  Bytes offsets;
  for (const std::uint32_t offset : repeated)
    codec::PutLe32(offsets, offset);
  return Plain(offsets);
}

LzxBuilder& LzxBuilder::Plain(const Bytes& bytes) {
  bits_.PutBytes(bytes);
  return *this;
}

LzxBuilder& LzxBuilder::AlignToWord() {
  bits_.AlignToWord();
  return *this;
}

LzxBuilder& LzxBuilder::EndFrame(std::uint16_t expanded_size, bool align) {
  if (align) bits_.AlignToWord();
  frames_.push_back({bits_.bytes(), expanded_size, {}});
  bits_.bytes().clear();
  return *this;
}

}  // namespace codec_test
