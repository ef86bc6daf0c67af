#include "lzx/lzx_steps.h"

namespace codec {

void AppendTokens(std::span<const LzxStep> steps, std::span<const std::uint8_t> bytes,
                  LzxRepeated& repeated, std::vector<LzxToken>& tokens) {
  std::size_t at = 0;
  for (const LzxStep& step : steps) {
    if (step.distance == 0) {
      tokens.push_back(LzxToken::Literal(bytes[at]));
    } else {
      const std::uint32_t offset = FormattedOffset(repeated, step.distance);
      tokens.push_back(LzxToken::Match(step.length, offset));
      UpdateRepeated(repeated, offset);
    }
    at += step.length;
  }
}

}  // namespace codec
