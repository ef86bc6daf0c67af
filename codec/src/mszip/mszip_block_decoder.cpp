#include "mszip/mszip_block_decoder.h"

#include <algorithm>

namespace codec {
namespace {

constexpr std::size_t kHistory = std::size_t{32} * 1024;
constexpr int kRawDeflateWindowBits = -15;

}  // namespace

MsZipBlockDecoder::MsZipBlockDecoder() {
  ready_ = inflateInit2(&stream_, kRawDeflateWindowBits) == Z_OK;
  history_.reserve(kHistory);
}

MsZipBlockDecoder::~MsZipBlockDecoder() {
  if (ready_) inflateEnd(&stream_);
}

Error MsZipBlockDecoder::Decode(std::span<const std::uint8_t> input,
                                std::span<std::uint8_t> output) {
  if (!ready_ || failed_) return Error::kCorruptData;
  failed_ = true;
  if (input.size() < 2 || input[0] != 'C' || input[1] != 'K') return Error::kCorruptData;
  if (inflateReset(&stream_) != Z_OK) return Error::kCorruptData;
  if (!history_.empty() &&
      inflateSetDictionary(&stream_, history_.data(), static_cast<uInt>(history_.size())) != Z_OK) {
    return Error::kCorruptData;
  }
  stream_.next_in = const_cast<Bytef*>(input.data() + 2);  // zlib's API is not const-correct
  stream_.avail_in = static_cast<uInt>(input.size() - 2);
  stream_.next_out = output.data();
  stream_.avail_out = static_cast<uInt>(output.size());
  const int status = inflate(&stream_, Z_FINISH);
  // The stream must give the block's size exactly: ended there, or with the output full and no
  // more than padding bits left. Bytes after its end are ignored, as other readers do.
  if (stream_.avail_out != 0) return Error::kCorruptData;
  if (status != Z_STREAM_END) {
    std::uint8_t probe = 0;
    stream_.next_out = &probe;
    stream_.avail_out = 1;
    const int more = inflate(&stream_, Z_FINISH);
    if (stream_.avail_out == 0 || (more != Z_STREAM_END && more != Z_BUF_ERROR)) {
      return Error::kCorruptData;
    }
  }
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
