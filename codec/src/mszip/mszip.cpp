#include "mszip/mszip.h"

#include <algorithm>
#include <span>

namespace codec {
namespace {

constexpr std::size_t kHistory = std::size_t{32} * 1024;
constexpr std::size_t kMaxBlockOutput = std::size_t{32} * 1024;
constexpr int kRawDeflateWindowBits = -15;
constexpr std::uint8_t kC = 'C';
constexpr std::uint8_t kK = 'K';

}  // namespace

MsZipDecoder::MsZipDecoder(CheckedOutput& out)
    // One byte more than a block may give, so that an oversized block is seen, not cut.
    : out_(out), buffer_(kHistory + kMaxBlockOutput + 1) {
  stream_ready_ = inflateInit2(&stream_, kRawDeflateWindowBits) == Z_OK;
}

MsZipDecoder::~MsZipDecoder() {
  if (stream_ready_) inflateEnd(&stream_);
}

Error MsZipDecoder::Feed(std::span<const std::uint8_t> bytes) {
  if (!stream_ready_) return Error::kCorruptData;
  while (!bytes.empty()) {
    switch (stage_) {
      case Stage::kLengthLow:
        block_left_ = bytes[0];
        stage_ = Stage::kLengthHigh;
        bytes = bytes.subspan(1);
        break;
      case Stage::kLengthHigh:
        block_left_ |= static_cast<std::uint32_t>(bytes[0]) << 8;
        bytes = bytes.subspan(1);
        if (block_left_ == 0) {
          stage_ = Stage::kEnd;
        } else if (block_left_ < 2) {
          return Error::kCorruptData;
        } else {
          block_left_ -= 2;
          stage_ = Stage::kC;
        }
        break;
      case Stage::kC:
      case Stage::kK:
        if (bytes[0] != (stage_ == Stage::kC ? kC : kK)) return Error::kCorruptData;
        bytes = bytes.subspan(1);
        if (stage_ == Stage::kC) {
          stage_ = Stage::kK;
        } else if (const Error e = StartBlock(); e != Error::kOk) {
          return e;
        }
        break;
      case Stage::kDeflate:
        if (const Error e = Inflate(bytes); e != Error::kOk) return e;
        break;
      case Stage::kEnd:
        return Error::kCorruptData;  // bytes after the end mark
    }
  }
  return Error::kOk;
}

Error MsZipDecoder::StartBlock() {
  if (block_left_ == 0) return Error::kCorruptData;  // "CK" with no stream after it
  if (inflateReset(&stream_) != Z_OK) return Error::kCorruptData;
  if (history_ > 0 &&
      inflateSetDictionary(&stream_, buffer_.data(), static_cast<uInt>(history_)) != Z_OK) {
    return Error::kCorruptData;
  }
  block_out_ = 0;
  stage_ = Stage::kDeflate;
  return Error::kOk;
}

Error MsZipDecoder::Inflate(std::span<const std::uint8_t>& bytes) {
  const std::size_t take = std::min<std::size_t>(bytes.size(), block_left_);
  stream_.next_in = const_cast<Bytef*>(bytes.data());  // zlib's API is not const-correct
  stream_.avail_in = static_cast<uInt>(take);
  std::uint8_t* const out = buffer_.data() + history_ + block_out_;
  const std::size_t room = kMaxBlockOutput + 1 - block_out_;
  stream_.next_out = out;
  stream_.avail_out = static_cast<uInt>(room);
  const int status = inflate(&stream_, Z_NO_FLUSH);
  const std::size_t used = take - stream_.avail_in;
  block_out_ += room - stream_.avail_out;
  block_left_ -= static_cast<std::uint32_t>(used);
  bytes = bytes.subspan(used);
  if (block_out_ > kMaxBlockOutput) return Error::kCorruptData;
  if (status == Z_STREAM_END) {
    // The DEFLATE stream must fill its block exactly.
    if (block_left_ != 0) return Error::kCorruptData;
    return EndBlock();
  }
  if (status != Z_OK && status != Z_BUF_ERROR) return Error::kCorruptData;
  if (block_left_ == 0) return Error::kCorruptData;       // the block ended inside its stream
  if (used == 0 && take > 0) return Error::kCorruptData;  // no progress with input in hand
  return Error::kOk;
}

Error MsZipDecoder::EndBlock() {
  const std::span<const std::uint8_t> block(buffer_.data() + history_, block_out_);
  if (const Error e = out_.Write(block); e != Error::kOk) return e;
  const std::size_t total = history_ + block_out_;
  const std::size_t keep = std::min(total, kHistory);
  std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(total - keep),
            buffer_.begin() + static_cast<std::ptrdiff_t>(total), buffer_.begin());
  history_ = keep;
  stage_ = Stage::kLengthLow;
  return Error::kOk;
}

Error MsZipDecoder::Finish() {
  if (!stream_ready_) return Error::kCorruptData;
  if (stage_ != Stage::kEnd) return Error::kTruncated;
  return out_.CheckComplete();
}

}  // namespace codec
