// The fixed layout of a cabinet: its header, folder, file and data block records, their flags and
// the data blocks' checksum. Integers are little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace codec {

inline constexpr std::array<std::uint8_t, 4> kCabinetSignature = {'M', 'S', 'C', 'F'};
inline constexpr std::size_t kCabinetHeaderSize = 36;     // without reserve and set names
inline constexpr std::size_t kCabinetFolderSize = 8;      // without reserve
inline constexpr std::size_t kCabinetFileSize = 16;       // without the name
inline constexpr std::size_t kCabinetDataHeaderSize = 8;  // without reserve
inline constexpr std::uint8_t kCabinetVersionMinor = 3;
inline constexpr std::uint8_t kCabinetVersionMajor = 1;

// Header flags.
inline constexpr std::uint16_t kCabinetHasPrevious = 0x0001;
inline constexpr std::uint16_t kCabinetHasNext = 0x0002;
inline constexpr std::uint16_t kCabinetHasReserve = 0x0004;

// A file's folder index may instead say that the file runs across cabinets of a set.
inline constexpr std::uint16_t kFolderContinuedFromPrevious = 0xFFFD;
inline constexpr std::uint16_t kFolderContinuedToNext = 0xFFFE;
inline constexpr std::uint16_t kFolderContinuedBoth = 0xFFFF;

// File attributes.
inline constexpr std::uint16_t kAttributeReadOnly = 0x01;
inline constexpr std::uint16_t kAttributeHidden = 0x02;
inline constexpr std::uint16_t kAttributeSystem = 0x04;
inline constexpr std::uint16_t kAttributeArchive = 0x20;
inline constexpr std::uint16_t kAttributeExecute = 0x40;
inline constexpr std::uint16_t kAttributeNameIsUtf8 = 0x80;

// The folder's compression type: the method in the low four bits, its parameters above.
inline constexpr std::uint16_t kMethodMask = 0x000F;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodMsZip = 1;
inline constexpr std::uint16_t kMethodQuantum = 2;
inline constexpr std::uint16_t kMethodLzx = 3;
// Quantum: level in bits 4-7, window bits in bits 8-12. LZX: window bits in bits 8-12.
inline constexpr std::uint16_t QuantumType(unsigned level, unsigned window_bits) {
  return static_cast<std::uint16_t>(kMethodQuantum | (level << 4) | (window_bits << 8));
}
inline constexpr std::uint16_t LzxType(unsigned window_bits) {
  return static_cast<std::uint16_t>(kMethodLzx | (window_bits << 8));
}

// The checksum of a data block: the 32-bit little-endian words of `bytes` XORed into `seed`, a
// tail of one to three bytes taken as a number with its first byte most significant. A block's
// checksum runs over its coded bytes, then, seeded with that, over the block's record after the
// checksum field: its two sizes, and for some writers its reserve too (the two readings differ
// only when the reserve holds other bytes than zeros, which is what we write).
std::uint32_t CabinetChecksum(std::span<const std::uint8_t> bytes, std::uint32_t seed);

void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value);
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value);

// Appends one data block record (checksum, sizes, `reserve` bytes of zeros) and its coded bytes.
void AppendDataBlock(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> coded,
                     std::uint16_t expanded_size, std::size_t reserve = 0);

}  // namespace codec
