#include "lzx/lzx_calls.h"

#include <cstddef>
#include <cstring>

namespace codec {
namespace {

constexpr std::uint8_t kCall = 0xE8;
constexpr std::size_t kOperandSize = 4;
// An E8 is looked at only this far before the frame's end.
constexpr std::size_t kUntouchedTail = 10;

// Calls `convert` on each operand to look at, in place: an E8 outside any operand looked at
// before, far enough from the end. Both directions skip the same operands, translated or not,
// since the E8 bytes they find are never inside one.
template <class Convert>
void ForEachOperand(std::span<std::uint8_t> frame, std::uint32_t frame_start,
                    const Convert& convert) {
  if (frame.size() <= kUntouchedTail) return;
  std::uint8_t* const data = frame.data();
  const std::size_t end = frame.size() - kUntouchedTail;
  for (std::size_t i = 0; i < end; ++i) {
    const void* call = std::memchr(data + i, kCall, end - i);
    if (call == nullptr) return;
    i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(call) - data);
    std::uint8_t* operand = data + i + 1;
    std::uint32_t raw = 0;
    for (std::size_t k = 0; k < kOperandSize; ++k)
      raw |= std::uint32_t{operand[k]} << (8 * k);
    const std::uint32_t converted =
        convert(raw, static_cast<std::int64_t>(frame_start) + static_cast<std::int64_t>(i));
    for (std::size_t k = 0; k < kOperandSize; ++k)
      operand[k] = static_cast<std::uint8_t>(converted >> (8 * k));
    i += kOperandSize;
  }
}

}  // namespace

// Operands and the translation size compare as signed 32-bit numbers; the results wrap.
void TranslateLzxCalls(std::span<std::uint8_t> frame, std::uint32_t frame_start,
                       std::uint32_t translation_size) {
  const std::int64_t size = static_cast<std::int32_t>(translation_size);
  ForEachOperand(frame, frame_start, [&](std::uint32_t raw, std::int64_t here) {
    const std::int64_t relative = static_cast<std::int32_t>(raw);
    if (relative < -here || relative >= size) return raw;
    const auto here32 = static_cast<std::uint32_t>(here);
    return relative < size - here ? raw + here32 : raw - translation_size;
  });
}

void UntranslateLzxCalls(std::span<std::uint8_t> frame, std::uint32_t frame_start,
                         std::uint32_t translation_size) {
  const std::int64_t size = static_cast<std::int32_t>(translation_size);
  ForEachOperand(frame, frame_start, [&](std::uint32_t raw, std::int64_t here) {
    const std::int64_t absolute = static_cast<std::int32_t>(raw);
    if (absolute < -here || absolute >= size) return raw;
    const auto here32 = static_cast<std::uint32_t>(here);
    return absolute >= 0 ? raw - here32 : raw + translation_size;
  });
}

}  // namespace codec
