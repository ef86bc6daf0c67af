#include "mszip/mszip_block_decoder.h"

#include <algorithm>

namespace codec {
namespace {

constexpr std::size_t kHistory = std::size_t{32} * 1024;

}  // namespace

MsZipBlockDecoder::MsZipBlockDecoder() {
  history_.reserve(kHistory);
}

Error MsZipBlockDecoder::Decode(std::span<const std::uint8_t> input,
                                std::span<std::uint8_t> output) {
  if (failed_) return Error::kCorruptData;
  failed_ = true;
  if (input.size() < 2 || input[0] != 'C' || input[1] != 'K') return Error::kCorruptData;
  // The stream must give the block's size exactly (see Inflate); bytes after its end are
  // ignored, as other readers do.
  if (!inflater_.Inflate(input.subspan(2), history_, output)) return Error::kCorruptData;
  Remember(output);
  failed_ = false;
  return Error::kOk;
}

void MsZipBlockDecoder::Remember(std::span<const std::uint8_t> output) {
  if (output.size() >= kHistory) {
    history_.assign(output.end() - static_cast<std::ptrdiff_t>(kHistory), output.end());
    return;
  }
  const std::size_t keep = std::min(history_.size(), kHistory - output.size());
  history_.erase(history_.begin(),
                 history_.begin() + static_cast<std::ptrdiff_t>(history_.size() - keep));
  history_.insert(history_.end(), output.begin(), output.end());
}

}  // namespace codec
