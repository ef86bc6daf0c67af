#include "test_inputs.h"

#include <array>
#include <fstream>
#include <iterator>
#include <random>

namespace codec_test {

Bytes RandomBytes(std::size_t size, std::uint32_t seed, unsigned alphabet) {
  std::mt19937 rng(seed);
  Bytes out(size);
  for (auto& b : out)
    b = static_cast<std::uint8_t>(rng() % alphabet);
  return out;
}

Bytes Repeat(const std::string& unit, std::size_t size) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i)
    out[i] = static_cast<std::uint8_t>(unit[i % unit.size()]);
  return out;
}

Bytes Concatenate(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Text(std::size_t size, std::uint32_t seed) {
  static constexpr std::array<const char*, 16> kWords{
      "le ",  "rapport ", "d'activité ", "fichier ",   "compressé ", "de ",
      "la ",  "une ",     "société ",    "annuel ",    "\r\n",       "et ",
      "les ", "données ", "pour ",       "Tassefiche "};
  std::mt19937 rng(seed);
  Bytes out;
  while (out.size() < size) {
    const std::string word = kWords[rng() % kWords.size()];
    out.insert(out.end(), word.begin(), word.end());
  }
  out.resize(size);
  return out;
}

Bytes BinaryLike(std::size_t size, std::uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes out;
  while (out.size() < size) {
    switch (rng() % 4) {
      case 0:
        out.insert(out.end(), 1 + rng() % 300, 0);
        break;
      case 1:
        for (std::uint32_t i = 0, n = static_cast<std::uint32_t>(rng() % 64); i < n; ++i) {
          const auto value = static_cast<std::uint32_t>(i * 4 + (rng() % 2));
          for (int k = 0; k < 4; ++k)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
        }
        break;
      case 2: {
        const std::array<std::uint8_t, 8> record{0x48, 0x8B,
                                                 0x45, static_cast<std::uint8_t>(rng() % 8),
                                                 0xE8, static_cast<std::uint8_t>(rng()),
                                                 0,    0};
        out.insert(out.end(), record.begin(), record.end());
        break;
      }
      default:
        for (std::uint32_t i = 0, n = static_cast<std::uint32_t>(rng() % 40); i < n; ++i) {
          out.push_back(static_cast<std::uint8_t>(rng()));
        }
        break;
    }
  }
  out.resize(size);
  return out;
}

Bytes BlockPairs(std::size_t blocks) {
  // Blocks are 12 symbols of 5 bytes each. The next symbol is drawn among those whose pair with
  // the previous one was seen within 700 blocks (3,500 bytes, in the window) and whose triple
  // was not seen within 840 blocks (beyond the window): matches then end exactly one block after
  // the block they start in.
  constexpr std::size_t kSymbols = 12;
  constexpr std::int64_t kPairReach = 700;
  constexpr std::int64_t kTripleReach = 840;
  constexpr std::int64_t kWarmUp = 1000;
  constexpr std::int64_t kNever = -1000000;
  std::mt19937 rng(2024);
  std::vector<std::int64_t> last_pair(kSymbols * kSymbols, kNever);
  std::vector<std::int64_t> last_triple(kSymbols * kSymbols * kSymbols, kNever);
  std::vector<std::size_t> sequence;
  const auto total = kWarmUp + static_cast<std::int64_t>(blocks);
  for (std::int64_t i = 0; i < total; ++i) {
    std::vector<std::size_t> fits;
    std::vector<std::size_t> fresh;
    for (std::size_t s = 0; s < kSymbols; ++s) {
      if (i < 2) {
        fits.push_back(s);
        continue;
      }
      const std::size_t a = sequence[static_cast<std::size_t>(i) - 2];
      const std::size_t b = sequence[static_cast<std::size_t>(i) - 1];
      if (i - last_triple[(a * kSymbols + b) * kSymbols + s] <= kTripleReach) continue;
      fresh.push_back(s);
      if (i < kWarmUp / 2 || i - last_pair[b * kSymbols + s] <= kPairReach) fits.push_back(s);
    }
    const std::vector<std::size_t>& pool = !fits.empty() ? fits : fresh;
    const std::size_t s = pool.empty() ? rng() % kSymbols : pool[rng() % pool.size()];
    if (i >= 1) last_pair[sequence.back() * kSymbols + s] = i;
    if (i >= 2) {
      const std::size_t a = sequence[static_cast<std::size_t>(i) - 2];
      last_triple[(a * kSymbols + sequence.back()) * kSymbols + s] = i;
    }
    sequence.push_back(s);
  }
  // Each symbol has bytes of its own, so matches can only start and stop at block edges.
  auto put_block = [](Bytes& out, std::size_t symbol) {
    for (std::size_t k = 0; k < 5; ++k)
      out.push_back(static_cast<std::uint8_t>('A' + symbol * 5 + k));
  };
  Bytes out;
  for (std::int64_t i = 0; i < kWarmUp; ++i)
    put_block(out, sequence[static_cast<std::size_t>(i)]);
  // A marker then the next block, seen here and again just before that block: reaching the
  // second block edge then costs 8 bits more than the first, which keeps both parses open.
  constexpr std::uint8_t kMarker = 0xF0;
  out.push_back(kMarker);
  put_block(out, sequence[kWarmUp]);
  for (std::uint8_t b = 200; b < 207; ++b)
    out.push_back(b);
  out.push_back(kMarker);
  for (std::size_t i = kWarmUp; i < sequence.size(); ++i)
    put_block(out, sequence[i]);
  return out;
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::filesystem::path FixtureDir() {
  return CODEC_FIXTURE_DIR;
}

}  // namespace codec_test
