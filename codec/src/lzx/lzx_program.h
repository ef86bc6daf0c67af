// Whether a folder's data is an x86 program, for which the encoder turns on the call translation:
// calls between its functions then carry absolute targets, which repeat where relative ones do not.
// Anything else is left alone, since translation only scrambles E8 bytes that are not calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace codec {

// How many of the data's first bytes the decision may read: a PE header must begin within them.
inline constexpr std::size_t kLzxProgramHeaderReach = 1 << 20;

// True when `head` (the data's first bytes, at most kLzxProgramHeaderReach of them, or all when the
// data is shorter) is an x86 or x86-64 program: "MZ", then "PE\0\0" at the offset held at 0x3C,
// followed by machine 0x14C (i386) or 0x8664 (AMD64); or an ELF header ("\x7F" "ELF") of machine 3
// (x86) or 62 (x86-64), read in the byte order the header gives.
bool IsX86Program(std::span<const std::uint8_t> head);

}  // namespace codec
