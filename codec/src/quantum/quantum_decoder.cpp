#include "quantum/quantum_decoder.h"

#include <algorithm>

#include "bits/msb_bit_reader.h"
#include "quantum/arithmetic_decoder.h"

namespace codec {

using namespace quantum;

namespace {

// Whether the frame's bits ended within `input` and only zeros follow them: the padding to a byte
// boundary, and any padding bytes (one independent decoder refuses those, the other skips them).
bool EndsCleanly(const MsbBitReader& bits, std::span<const std::uint8_t> input) {
  if (bits.overrun()) return false;
  const std::size_t position = bits.bit_position();
  if (position % 8 != 0 && (input[position / 8] & (0xFFu >> (position % 8))) != 0) return false;
  return std::all_of(input.begin() + static_cast<std::ptrdiff_t>(bits.bytes_touched()), input.end(),
                     [](std::uint8_t byte) { return byte == 0; });
}

}  // namespace

std::unique_ptr<QuantumDecoder> QuantumDecoder::Create(unsigned level, unsigned window_bits) {
  if (level < kMinLevel || level > kMaxLevel || window_bits < kMinWindowBits ||
      window_bits > kMaxWindowBits) {
    return nullptr;
  }
  return std::unique_ptr<QuantumDecoder>(new QuantumDecoder(window_bits));
}

QuantumDecoder::QuantumDecoder(unsigned window_bits)
    : models_(window_bits), history_(window_bits) {}

Error QuantumDecoder::Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
  if (error_ != Error::kOk) return error_;
  error_ = Error::kCorruptData;
  if (output.empty() || output.size() > kMaxBlockOutput) return error_;
  if (const Error e = DecodeFrame(input, output.size()); e != Error::kOk) return error_ = e;
  history_.CopyLast(output);
  return error_ = Error::kOk;
}

Error QuantumDecoder::DecodeFrame(std::span<const std::uint8_t> input, std::size_t size) {
  MsbBitReader bits(input);
  ArithmeticDecoder coder(bits);
  const std::uint64_t end = history_.size() + size;
  while (history_.size() < end) {
    const unsigned selector = coder.Decode(models_.selector);
    if (selector < kLiteralModels) {
      history_.Put(static_cast<std::uint8_t>(coder.Decode(models_.literals[selector])));
      continue;
    }
    std::uint32_t length = 0;
    AdaptiveModel* positions = nullptr;
    if (selector == kSelectorMatch3) {
      length = 3;
      positions = &models_.match3_positions;
    } else if (selector == kSelectorMatch4) {
      length = 4;
      positions = &models_.match4_positions;
    } else {
      const unsigned slot = coder.Decode(models_.long_lengths);
      length = kMinLongMatch + kLengthBase[slot] + coder.RawBits(kLengthExtra[slot]);
      positions = &models_.long_positions;
    }
    const unsigned slot = coder.Decode(*positions);
    const std::uint32_t distance = kPositionBase[slot] + coder.RawBits(kPositionExtra[slot]) + 1;
    // A match never crosses a frame's end, and never reaches before the folder's first byte.
    if (length > end - history_.size() || distance > history_.size()) return Error::kCorruptData;
    history_.Copy(distance, length);
  }
  return EndsCleanly(bits, input) ? Error::kOk : Error::kCorruptData;
}

}  // namespace codec
