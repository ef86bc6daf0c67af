// The x86 call translation of LZX: in each frame, the 32-bit operand after an E8 byte (the x86
// CALL opcode) is turned from relative to absolute before compression, so that calls to one place
// repeat, and back after decompression. An operand is translated when its value falls in a range
// set by the position and the header's translation size; the frame's last bytes are left alone.
#pragma once

#include <cstdint>
#include <span>

namespace codec {

// The encoder's side, before choosing tokens: `frame` is one frame of the folder's data starting
// at `frame_start` in it.
void TranslateLzxCalls(std::span<std::uint8_t> frame, std::uint32_t frame_start,
                       std::uint32_t translation_size);

// The decoder's side, undoing TranslateLzxCalls() on the decoded frame.
void UntranslateLzxCalls(std::span<std::uint8_t> frame, std::uint32_t frame_start,
                         std::uint32_t translation_size);

}  // namespace codec
