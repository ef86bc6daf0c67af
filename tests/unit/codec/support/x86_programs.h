// Programs for the tests of the x86 call translation: the headers that the encoder tells apart,
// and machine code full of calls.
#pragma once

#include <cstdint>
#include <vector>

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

// Code in which calls (E8 and a relative operand) to a few dozen functions recur from everywhere,
// between short filler instructions: each call's relative operand differs, its target repeats.
Bytes CallHeavyCode(std::size_t size, std::uint32_t seed);

// "MZ", the PE header's offset at 0x3C, then at that offset "PE\0\0" and `machine`, then `code`.
Bytes PeProgram(std::uint16_t machine, const Bytes& code);

// An ELF header of `machine` in the byte order `byte_order` (1 little-endian, 2 big-endian), then
// `code`.
Bytes ElfProgram(std::uint16_t machine, std::uint8_t byte_order, const Bytes& code);

}  // namespace codec_test
