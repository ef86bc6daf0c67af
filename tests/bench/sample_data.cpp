#include "sample_data.h"

#include <array>
#include <string_view>

namespace bench {
namespace {

// A fixed linear congruential generator, so the sample is the same on every machine.
class Generator {
 public:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33U);
  }

 private:
  std::uint64_t state_ = 0x7A55EF1C4EULL;
};

void AppendText(std::string_view text, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), text.begin(), text.end());
}

void AppendWords(Generator& generator, std::size_t count, std::vector<std::uint8_t>& out) {
  constexpr std::array<std::string_view, 16> kWords = {
      "fichier", "compresser", "le ", "dossier", "de ",   "la ", "copie", "disque",
      "une ",    "expansion",  "et ", "source",  "cible", "nom", "des ",  "programme"};
  for (std::size_t k = 0; k < count; ++k) {
    AppendText(kWords[generator.Next() % kWords.size()], out);
    AppendText(generator.Next() % 9 == 0 ? ".\r\n" : " ", out);
  }
}

}  // namespace

std::vector<std::uint8_t> MakeSample() {
  Generator generator;
  // Built from its first line: appending to an empty vector makes GCC 12 warn falsely at -O3.
  constexpr std::string_view kTitle =
      "                                        Tassefiche: notes de version\r\n";
  std::vector<std::uint8_t> out(kTitle.begin(), kTitle.end());
  AppendWords(generator, 3000, out);
  out.insert(out.end(), 5000, 0);
  for (std::uint32_t value = 0; value < 2048; ++value) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
      out.push_back(static_cast<std::uint8_t>(value * 37U >> shift));
    }
  }
  for (int k = 0; k < 10000; ++k)
    out.push_back(static_cast<std::uint8_t>(generator.Next()));
  constexpr std::string_view kLine = "LIGNE 00: compresser puis copier vers le disque cible\r\n";
  for (std::size_t k = 0; k < 100; ++k) {
    const std::size_t start = out.size();
    AppendText(kLine, out);
    out[start + 6 + k % 2] = static_cast<std::uint8_t>('0' + k % 10);
  }
  AppendWords(generator, 2000, out);
  return out;
}

}  // namespace bench
