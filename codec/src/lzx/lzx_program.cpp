#include "lzx/lzx_program.h"

#include <algorithm>
#include <array>

namespace codec {
namespace {

constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::array<std::uint8_t, 4> kPeSignature = {'P', 'E', 0, 0};
constexpr std::uint16_t kPeI386 = 0x14C;
constexpr std::uint16_t kPeAmd64 = 0x8664;

constexpr std::array<std::uint8_t, 4> kElfSignature = {0x7F, 'E', 'L', 'F'};
constexpr std::size_t kElfByteOrder = 5;
constexpr std::uint8_t kElfLittleEndian = 1;
constexpr std::uint8_t kElfBigEndian = 2;
constexpr std::size_t kElfMachine = 18;
constexpr std::uint16_t kElfX86 = 3;
constexpr std::uint16_t kElfX86_64 = 62;

std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::size_t at,
                std::span<const std::uint8_t> signature) {
  return bytes.size() >= at + signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin() + static_cast<long>(at));
}

bool IsX86Pe(std::span<const std::uint8_t> head) {
  if (head.size() < kPeOffsetField + 4) return false;
  const std::size_t pe =
      Le16(head, kPeOffsetField) | (std::size_t{Le16(head, kPeOffsetField + 2)} << 16);
  // The machine follows the signature.
  if (!StartsWith(head, pe, kPeSignature) || head.size() < pe + kPeSignature.size() + 2) {
    return false;
  }
  const std::uint16_t machine = Le16(head, pe + kPeSignature.size());
  return machine == kPeI386 || machine == kPeAmd64;
}

bool IsX86Elf(std::span<const std::uint8_t> head) {
  if (head.size() < kElfMachine + 2) return false;
  std::uint16_t machine = Le16(head, kElfMachine);
  if (head[kElfByteOrder] == kElfBigEndian) {
    machine = static_cast<std::uint16_t>((machine >> 8) | (machine << 8));
  } else if (head[kElfByteOrder] != kElfLittleEndian) {
    return false;
  }
  return machine == kElfX86 || machine == kElfX86_64;
}

}  // namespace

bool IsX86Program(std::span<const std::uint8_t> head) {
  head = head.first(std::min(head.size(), kLzxProgramHeaderReach));
  constexpr std::array<std::uint8_t, 2> kMz = {'M', 'Z'};
  if (StartsWith(head, 0, kMz)) return IsX86Pe(head);
  return StartsWith(head, 0, kElfSignature) && IsX86Elf(head);
}

}  // namespace codec
