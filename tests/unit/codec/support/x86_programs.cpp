#include "support/x86_programs.h"

#include <array>
#include <random>

namespace codec_test {
namespace {

constexpr std::uint8_t kCall = 0xE8;

void PutLe(Bytes& out, std::uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

}  // namespace

Bytes CallHeavyCode(std::size_t size, std::uint32_t seed) {
  static constexpr std::array<std::uint8_t, 8> kFiller = {0x48, 0x89, 0xC7, 0x31,
                                                          0xC0, 0x8B, 0x45, 0x90};
  constexpr std::uint32_t kFunctions = 48;
  std::mt19937 rng(seed);
  std::vector<std::uint32_t> targets;
  for (std::uint32_t i = 0; i < kFunctions; ++i)
    targets.push_back(static_cast<std::uint32_t>(rng() % size));
  Bytes code;
  while (code.size() + 16 < size) {
    for (auto n = 1 + rng() % 6; n > 0; --n)
      code.push_back(kFiller[rng() % kFiller.size()]);
    const std::uint32_t target = targets[rng() % kFunctions];
    const auto next = static_cast<std::uint32_t>(code.size() + 5);
    code.push_back(kCall);
    PutLe(code, target - next, 4);
  }
  code.resize(size, 0x90);
  return code;
}

Bytes PeProgram(std::uint16_t machine, const Bytes& code) {
  constexpr std::uint32_t kPeOffset = 0x80;
  Bytes out(kPeOffset, 0);
  out[0] = 'M';
  out[1] = 'Z';
  out[0x3C] = static_cast<std::uint8_t>(kPeOffset);
  for (const char c : {'P', 'E', '\0', '\0'})
    out.push_back(static_cast<std::uint8_t>(c));
  PutLe(out, machine, 2);
  out.resize(0x200, 0);
  out.insert(out.end(), code.begin(), code.end());
  return out;
}

Bytes ElfProgram(std::uint16_t machine, std::uint8_t byte_order, const Bytes& code) {
  Bytes out = {0x7F, 'E', 'L', 'F', 2, byte_order, 1, 0};
  out.resize(18, 0);
  if (byte_order == 2) {
    out.push_back(static_cast<std::uint8_t>(machine >> 8));
    out.push_back(static_cast<std::uint8_t>(machine));
  } else {
    PutLe(out, machine, 2);
  }
  out.resize(0x40, 0);
  out.insert(out.end(), code.begin(), code.end());
  return out;
}

}  // namespace codec_test
