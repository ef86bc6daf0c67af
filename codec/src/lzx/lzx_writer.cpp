#include "lzx/lzx_writer.h"

#include <algorithm>

#include "bits/code_lengths.h"
#include "bits/huffman_table.h"
#include "lzx/lzx_block_codes.h"
#include "lzx/lzx_tree_writer.h"

namespace codec {
namespace {

void PutLe32(WordBitWriter& bits, std::uint32_t value) {
  const std::array<std::uint8_t, 4> bytes{
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  bits.PutBytes(bytes);
}

}  // namespace

LzxWriter::LzxWriter(BlockSink& sink, unsigned window_bits,
                     std::optional<std::uint32_t> translation_size)
    : sink_(sink),
      window_bits_(window_bits),
      main_symbols_(LzxMainSymbols(std::clamp(window_bits, kLzxMinWindowBits, kLzxMaxWindowBits))),
      translation_size_(translation_size) {
  if (window_bits < kLzxMinWindowBits || window_bits > kLzxMaxWindowBits ||
      translation_size.value_or(0) > kLzxMaxTranslationSize) {
    error_ = Error::kCorruptData;
  }
}

Error LzxWriter::Fail(Error error) {
  error_ = error;
  return error;
}

Error LzxWriter::WriteBlock(LzxBlockType type, std::span<const LzxToken> tokens,
                            const LzxTreeLengths& lengths) {
  if (error_ != Error::kOk) return error_;
  if (const Error e = Check(type, tokens, lengths); e != Error::kOk) return Fail(e);
  std::uint64_t size = 0;
  for (const LzxToken& token : tokens)
    size += token.size();
  PutHeaders(type, static_cast<std::uint32_t>(size));
  PutTrees(type, lengths);
  const LzxBlockCodes codes(lengths, window_bits_);
  for (const LzxToken& token : tokens) {
    codes.Put(bits_, token, type);
    if (!token.is_literal()) UpdateRepeated(repeated_, token.value);
    if (const Error e = Advance(token.size()); e != Error::kOk) return e;
  }
  return Error::kOk;
}

Error LzxWriter::WriteUncompressedBlock(std::span<const std::uint8_t> bytes) {
  if (error_ != Error::kOk) return error_;
  if (finished_ || bytes.empty()) return Fail(Error::kCorruptData);
  if (bytes.size() > kLzxMaxBlockSize) return Fail(Error::kTooLarge);
  PutHeaders(LzxBlockType::kUncompressed, static_cast<std::uint32_t>(bytes.size()));
  // The header pads to the next word, by a whole word when it ends on one; from there on the
  // block is plain bytes.
  bits_.PadToNextWord();
  for (const std::uint32_t offset : repeated_)
    PutLe32(bits_, offset);
  const bool odd = bytes.size() % 2 != 0;
  while (!bytes.empty()) {
    // Plain bytes run on across frame ends, with no padding there, even after an odd count.
    const std::size_t piece = std::min(bytes.size(), kLzxFrameSize - frame_used_);
    bits_.PutBytes(bytes.first(piece));
    bytes = bytes.subspan(piece);
    // The padding byte of an odd block belongs to the frame its last byte is in.
    if (bytes.empty() && odd) bits_.PutBytes(std::array<std::uint8_t, 1>{0});
    if (const Error e = Advance(static_cast<std::uint32_t>(piece)); e != Error::kOk) return e;
  }
  return Error::kOk;
}

Error LzxWriter::Finish() {
  if (error_ != Error::kOk) return error_;
  if (finished_) return Error::kOk;
  finished_ = true;
  return frame_used_ > 0 ? EndFrame() : Error::kOk;
}

Error LzxWriter::Check(LzxBlockType type, std::span<const LzxToken> tokens,
                       const LzxTreeLengths& lengths) const {
  if (finished_ || tokens.empty()) return Error::kCorruptData;
  if (type != LzxBlockType::kVerbatim && type != LzxBlockType::kAligned) {
    return Error::kCorruptData;
  }
  if (!IsAcceptedCode(std::span(lengths.main).first(main_symbols_), kMaxHuffmanCodeLength,
                      kLzxOtherTreesIncomplete) ||
      !IsAcceptedCode(lengths.length, kMaxHuffmanCodeLength, kLzxLengthTreeIncomplete) ||
      (type == LzxBlockType::kAligned &&
       !IsAcceptedCode(lengths.aligned, kLzxMaxAlignedLength, kLzxOtherTreesIncomplete))) {
    return Error::kCorruptData;
  }
  return CheckTokens(type, tokens, lengths);
}

Error LzxWriter::CheckTokens(LzxBlockType type, std::span<const LzxToken> tokens,
                             const LzxTreeLengths& lengths) const {
  LzxRepeated repeated = repeated_;
  std::uint64_t position = position_;
  std::size_t frame_used = frame_used_;
  for (const LzxToken& token : tokens) {
    if (token.is_literal()) {
      if (token.value >= kLzxLiterals) return Error::kCorruptData;
    } else {
      if (!IsValidMatch(token, window_bits_)) return Error::kCorruptData;
      const std::uint32_t distance =
          token.value >= kLzxRepeatedOffsets ? token.value - kLzxOffsetBias : repeated[token.value];
      if (distance > position) return Error::kCorruptData;
      UpdateRepeated(repeated, token.value);
    }
    const LzxTokenCode code = CodeOf(token, type);
    if (lengths.main[code.main_symbol] == 0 ||
        (code.has_length_symbol && lengths.length[code.length_symbol] == 0) ||
        (code.has_aligned_symbol && lengths.aligned[code.aligned_symbol] == 0)) {
      return Error::kCorruptData;
    }
    if (frame_used + token.size() > kLzxFrameSize) return Error::kCorruptData;
    frame_used = (frame_used + token.size()) % kLzxFrameSize;
    position += token.size();
    if (position - position_ > kLzxMaxBlockSize) return Error::kTooLarge;
  }
  return Error::kOk;
}

void LzxWriter::PutHeaders(LzxBlockType type, std::uint32_t size) {
  if (!started_) {
    started_ = true;
    bits_.Put(translation_size_ ? 1 : 0, 1);
    if (translation_size_) bits_.Put(*translation_size_, kLzxTranslationSizeBits);
  }
  bits_.Put(static_cast<std::uint32_t>(type), kLzxBlockTypeBits);
  bits_.Put(size, kLzxBlockSizeBits);
}

void LzxWriter::PutTrees(LzxBlockType type, const LzxTreeLengths& lengths) {
  if (type == LzxBlockType::kAligned) {
    for (const std::uint8_t length : lengths.aligned)
      bits_.Put(length, kLzxAlignedLengthBits);
  }
  const std::span<const std::uint8_t> main = std::span(lengths.main).first(main_symbols_);
  const std::span<const std::uint8_t> previous = std::span(previous_.main).first(main_symbols_);
  WriteLzxTree(bits_, previous.first(kLzxLiterals), main.first(kLzxLiterals));
  WriteLzxTree(bits_, previous.subspan(kLzxLiterals), main.subspan(kLzxLiterals));
  WriteLzxTree(bits_, previous_.length, lengths.length);
  std::copy(main.begin(), main.end(), previous_.main.begin());
  previous_.length = lengths.length;
}

Error LzxWriter::Advance(std::uint32_t bytes) {
  position_ += bytes;
  frame_used_ += bytes;
  return frame_used_ == kLzxFrameSize ? EndFrame() : Error::kOk;
}

Error LzxWriter::EndFrame() {
  bits_.AlignToWord();
  std::vector<std::uint8_t>& coded = bits_.bytes();
  if (coded.size() > kMaxBlockInput) return Fail(Error::kTooLarge);
  if (!sink_.Take(coded, static_cast<std::uint32_t>(frame_used_))) {
    return Fail(Error::kOutputFailed);
  }
  coded.clear();
  frame_used_ = 0;
  return Error::kOk;
}

}  // namespace codec
