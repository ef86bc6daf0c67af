#include "szdd/szdd_writer.h"

#include <algorithm>
#include <span>

#include "common/format.h"

namespace codec {
namespace {

constexpr std::size_t kOutChunk = std::size_t{64} * 1024;

}  // namespace

SzddWriter::SzddWriter(ByteSink& sink) : sink_(sink) {
  out_.reserve(kOutChunk + group_.size());
}

void SzddWriter::Header(char lost_char, std::uint32_t length) {
  out_.insert(out_.end(), kSzddSignature.begin(), kSzddSignature.end());
  out_.push_back(kSzddModeA);
  out_.push_back(static_cast<std::uint8_t>(lost_char));
  for (int shift = 0; shift < 32; shift += 8) {
    out_.push_back(static_cast<std::uint8_t>(length >> shift));
  }
}

void SzddWriter::Literal(std::uint8_t byte) {
  group_[0] = static_cast<std::uint8_t>(group_[0] | (1u << items_));
  group_[group_size_++] = byte;
  if (++items_ == 8) EndGroup();
}

void SzddWriter::Match(std::uint32_t ring_index, std::uint32_t length) {
  group_[group_size_++] = static_cast<std::uint8_t>(ring_index);
  group_[group_size_++] =
      static_cast<std::uint8_t>(((ring_index >> 4) & 0xF0u) | (length - kSzddMinMatch));
  if (++items_ == 8) EndGroup();
}

void SzddWriter::EndGroup() {
  out_.insert(out_.end(), group_.begin(),
              group_.begin() + static_cast<std::ptrdiff_t>(group_size_));
  group_[0] = 0;
  group_size_ = 1;
  items_ = 0;
  if (out_.size() >= kOutChunk) Flush();
}

void SzddWriter::Flush() {
  if (error_ == Error::kOk && !out_.empty() && !sink_.Write(out_)) error_ = Error::kOutputFailed;
  out_.clear();
}

Error SzddWriter::Finish() {
  if (items_ > 0) EndGroup();
  Flush();
  return error_;
}

}  // namespace codec
