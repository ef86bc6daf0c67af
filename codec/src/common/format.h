// Constants of the single-file formats, shared by the decoders and the SZDD encoder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace codec {

// The LZ window of SZDD and of KWAJ methods 2 and 3: 4,096 bytes, filled with spaces at the start.
inline constexpr std::uint32_t kWindowSize = 4096;
inline constexpr std::uint32_t kWindowMask = kWindowSize - 1;
inline constexpr std::uint8_t kWindowFill = 0x20;

// Ring index of the first output byte, per stream flavour.
inline constexpr std::uint32_t kSzddStart = kWindowSize - 16;
inline constexpr std::uint32_t kQBasicStart = kWindowSize - 18;

inline constexpr std::uint32_t kSzddMinMatch = 3;
inline constexpr std::uint32_t kSzddMaxMatch = 18;

using Signature = std::array<std::uint8_t, 8>;
inline constexpr Signature kSzddSignature{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33};
inline constexpr Signature kQBasicSignature{0x53, 0x5A, 0x20, 0x88, 0xF0, 0x27, 0x33, 0xD1};
inline constexpr Signature kKwajSignature{0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1};
inline constexpr std::array<const Signature*, 3> kSignatures{&kSzddSignature, &kQBasicSignature,
                                                             &kKwajSignature};

inline constexpr std::size_t kSzddHeaderSize = 14;
inline constexpr std::size_t kQBasicHeaderSize = 12;
inline constexpr std::size_t kKwajFixedHeaderSize = 14;
inline constexpr std::uint8_t kSzddModeA = 0x41;

inline std::uint16_t LoadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace codec
