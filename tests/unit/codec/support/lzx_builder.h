// Hand-made LZX streams for the tests: any header, tree, token or plain byte, with frames cut
// where the test says, so that streams the writer refuses or writes one way only can be made.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "bits/word_bit_writer.h"
#include "lzx/lzx_format.h"
#include "lzx/lzx_tokens.h"
#include "support/crafted_cabinet.h"

namespace codec_test {

// Trees that code every symbol of the window's main tree and every length, so that any token can
// be written; aligned lengths of 3 each.
codec::LzxTreeLengths FlatTrees(unsigned window_bits);

class LzxBuilder {
 public:
  explicit LzxBuilder(unsigned window_bits,
                      std::optional<std::uint32_t> translation_size = std::nullopt);

  LzxBuilder& Bits(std::uint32_t value, unsigned count);
  LzxBuilder& BlockHeader(codec::LzxBlockType type, std::uint32_t size);
  // The trees, sent against the previous ones (the aligned tree first, in aligned blocks).
  LzxBuilder& Trees(const codec::LzxTreeLengths& lengths, codec::LzxBlockType type);
  // A pretree with a code for each of `symbols` (and no other), then symbols sent through it one by
  // one: for tree sections made by hand; a run symbol's extra bits are the caller's to send.
  LzxBuilder& Pretree(std::initializer_list<unsigned> symbols);
  LzxBuilder& PretreeSymbol(unsigned symbol);
  // One tree section sent against `previous`, and the lengths that Tokens() codes with, for
  // trees sent otherwise.
  LzxBuilder& TreeSection(std::span<const std::uint8_t> previous,
                          std::span<const std::uint8_t> lengths);
  LzxBuilder& UseTrees(const codec::LzxTreeLengths& lengths);
  // Tokens coded with the last trees, as in a block of `type`.
  LzxBuilder& Tokens(std::span<const codec::LzxToken> tokens, codec::LzxBlockType type);
  LzxBuilder& Literals(const Bytes& bytes, codec::LzxBlockType type);
  // An uncompressed block's header: type, size, padding to the next word, R0-R2.
  LzxBuilder& UncompressedHeader(std::uint32_t size,
                                 const codec::LzxRepeated& repeated = codec::kLzxInitialRepeated);
  LzxBuilder& Plain(const Bytes& bytes);
  LzxBuilder& AlignToWord();
  // Ends a data block of `expanded_size` bytes, after padding to a word when `align`.
  LzxBuilder& EndFrame(std::uint16_t expanded_size, bool align = true);

  bool at_word_boundary() const { return bits_.aligned(); }
  const std::vector<CraftedBlock>& frames() const { return frames_; }

 private:
  unsigned window_bits_;
  codec::WordBitWriter bits_;
  std::vector<CraftedBlock> frames_;
  codec::LzxTreeLengths previous_{};
  codec::LzxTreeLengths lengths_{};
  std::array<std::uint8_t, codec::kLzxPretreeSymbols> pretree_{};
  std::array<std::uint16_t, codec::kLzxPretreeSymbols> pretree_codes_{};
};

}  // namespace codec_test
