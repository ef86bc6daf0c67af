#include <algorithm>

#include "codec/codec.h"
#include "common/format.h"

namespace codec {

std::optional<Format> DetectFormat(std::span<const std::uint8_t> prefix) {
  if (IsCabinet(prefix)) return Format::kCabinet;
  if (prefix.size() < kSignatureLength) return std::nullopt;
  const auto head = prefix.first(kSignatureLength);
  if (std::ranges::equal(head, kSzddSignature)) return Format::kSzdd;
  if (std::ranges::equal(head, kQBasicSignature)) return Format::kSzddQBasic;
  if (std::ranges::equal(head, kKwajSignature)) return Format::kKwaj;
  return std::nullopt;
}

bool IsCutSignature(std::span<const std::uint8_t> file) {
  if (file.size() < kCutSignatureLength || file.size() >= kSignatureLength) return false;
  if (IsCabinet(file)) return true;
  return std::ranges::any_of(kSignatures, [&](const Signature* signature) {
    return std::ranges::equal(file, std::span(*signature).first(file.size()));
  });
}

}  // namespace codec
