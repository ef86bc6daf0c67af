#include "lzx/lzx_emitter.h"

#include <algorithm>

namespace codec {
namespace {

constexpr std::uint64_t kFrameBits = std::uint64_t{8} * (kMaxBlockInput - 2);

}  // namespace

LzxEmitter::LzxEmitter(BlockSink& sink, unsigned window_bits,
                       std::optional<std::uint32_t> translation_size)
    : writer_(sink, window_bits, translation_size),
      window_bits_(window_bits),
      frame_bits_(translation_size ? 1 + kLzxTranslationSizeBits : 1) {
  open_steps_.reserve(kMostOpen);
  tokens_.reserve(kMostOpen);
}

void LzxEmitter::Advance(std::uint32_t size) {
  frame_used_ += size;
  if (frame_used_ == kLzxFrameSize) {
    frame_used_ = 0;
    frame_bits_ = 0;
  }
}

bool LzxEmitter::Fits(const LzxBlockChoice& choice) {
  std::uint64_t bits =
      frame_bits_ + LzxBlockHeaderBits(choice.type, writer_.trees(), choice.lengths, window_bits_);
  std::uint32_t used = frame_used_;
  for (const LzxToken& token : tokens_) {
    bits += LzxTokenBits(token, choice.type, choice.lengths);
    used += token.size();
    if (used == kLzxFrameSize) {
      if (bits > kFrameBits) return false;
      bits = 0;
      used = 0;
    }
  }
  if (bits > std::uint64_t{8} * (used + kSlack)) return false;
  frame_bits_ = bits;
  frame_used_ = used;
  return true;
}

void LzxEmitter::CountUncompressed(std::uint32_t size) {
  frame_bits_ += LzxUncompressedBits(0);
  while (size > 0) {
    const std::uint32_t piece = std::min<std::uint32_t>(size, kLzxFrameSize - frame_used_);
    frame_bits_ += std::uint64_t{8} * (piece + 1);
    size -= piece;
    Advance(piece);
  }
}

Error LzxEmitter::Emit(std::span<const LzxStep> steps, std::span<const std::uint8_t> bytes) {
  LzxRepeated after = open_bytes_.empty() ? writer_.repeated() : open_after_;
  tokens_.clear();
  AppendTokens(steps, bytes, after, tokens_);
  LzxBlockStats stats;
  stats.Add(tokens_);
  if (open_bytes_.size() + bytes.size() > kMostOpen) {
    if (const Error e = WriteOpen(); e != Error::kOk) return e;
  } else if (!open_bytes_.empty()) {
    const LzxBlockChoice open = ChooseLzxBlock(open_stats_, writer_.trees(), window_bits_);
    const LzxBlockChoice next = ChooseLzxBlock(
        stats, open.type == LzxBlockType::kUncompressed ? writer_.trees() : open.lengths,
        window_bits_);
    LzxBlockStats joined = open_stats_;
    joined.Add(stats);
    if (ChooseLzxBlock(joined, writer_.trees(), window_bits_).bits > open.bits + next.bits) {
      if (const Error e = WriteOpen(); e != Error::kOk) return e;
    }
  }
  open_steps_.insert(open_steps_.end(), steps.begin(), steps.end());
  open_bytes_ = open_bytes_.empty()
                    ? bytes
                    : std::span(open_bytes_.data(), open_bytes_.size() + bytes.size());
  open_stats_.Add(stats);
  open_after_ = after;
  return Error::kOk;
}

Error LzxEmitter::WriteOpen() {
  LzxRepeated repeated = writer_.repeated();
  tokens_.clear();
  AppendTokens(open_steps_, open_bytes_, repeated, tokens_);
  LzxBlockStats stats;
  stats.Add(tokens_);
  const std::span<const std::uint8_t> bytes = open_bytes_;
  open_steps_.clear();
  open_bytes_ = {};
  open_stats_ = {};
  const LzxBlockChoice choice = ChooseLzxBlock(stats, writer_.trees(), window_bits_);
  if (choice.type != LzxBlockType::kUncompressed) {
    if (const Error e = WriteHeld(); e != Error::kOk) return e;
    if (Fits(choice)) return writer_.WriteBlock(choice.type, tokens_, choice.lengths);
  }
  held_ = held_.empty() ? bytes : std::span(held_.data(), held_.size() + bytes.size());
  return Error::kOk;
}

Error LzxEmitter::WriteHeld() {
  if (held_.empty()) return Error::kOk;
  CountUncompressed(static_cast<std::uint32_t>(held_.size()));
  const Error error = writer_.WriteUncompressedBlock(held_);
  held_ = {};
  return error;
}

Error LzxEmitter::Flush() {
  if (!open_bytes_.empty()) {
    if (const Error e = WriteOpen(); e != Error::kOk) return e;
  }
  return WriteHeld();
}

Error LzxEmitter::Finish() {
  const Error error = Flush();
  return error != Error::kOk ? error : writer_.Finish();
}

}  // namespace codec
