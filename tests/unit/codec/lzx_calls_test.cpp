// The encoder's call translation and the decoder's undo it, wherever the frame stands.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "lzx/lzx_calls.h"

namespace codec {
namespace {

TEST(LzxCallsTest, UntranslatingUndoesTranslating) {
  std::mt19937 random(71);
  for (const std::size_t size : {0u, 10u, 11u, 12u, 100u, 32768u}) {
    for (const std::uint32_t start : {0u, 32768u, 1u << 29}) {
      for (const std::uint32_t translation_size : {0u, 1000u, 12000000u, 0x7FFFFFFFu}) {
        // Calls everywhere, operands of every range: near zero, near the position, any.
        std::vector<std::uint8_t> frame(size);
        for (std::size_t i = 0; i < size; ++i) {
          const auto r = static_cast<std::uint32_t>(random());
          frame[i] = r % 4 == 0 ? 0xE8 : static_cast<std::uint8_t>(r % 3 == 0 ? 0 : r >> 8);
        }
        std::vector<std::uint8_t> translated = frame;
        TranslateLzxCalls(translated, start, translation_size);
        if (size == 32768 && translation_size > start) {
          EXPECT_NE(translated, frame);
        }
        UntranslateLzxCalls(translated, start, translation_size);
        EXPECT_EQ(translated, frame) << size << ", " << start << ", " << translation_size;
      }
    }
  }
}

}  // namespace
}  // namespace codec
