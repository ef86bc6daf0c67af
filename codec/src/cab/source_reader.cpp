#include "cab/source_reader.h"

#include <algorithm>
#include <cstring>

namespace codec {

std::size_t SpanCabinetSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t n = std::min<std::size_t>(bytes.size(), bytes_.size() - offset);
  std::memcpy(bytes.data(), bytes_.data() + offset, n);
  return n;
}

SourceReader::SourceReader(CabinetSource& source, std::uint64_t offset, std::size_t buffer_size)
    : source_(source), offset_(offset), buffer_(buffer_size) {}

bool SourceReader::Refill() {
  filled_ = source_.ReadAt(offset_, buffer_);
  used_ = 0;
  offset_ += filled_;
  return filled_ != 0;
}

bool SourceReader::Read(std::span<std::uint8_t> bytes) {
  while (!bytes.empty()) {
    if (used_ == filled_) {
      // A large read goes straight to the caller's buffer.
      if (bytes.size() >= buffer_.size()) {
        const std::size_t got = source_.ReadAt(offset_, bytes);
        offset_ += got;
        return got == bytes.size();
      }
      if (!Refill()) return false;
    }
    const std::size_t take = std::min(bytes.size(), filled_ - used_);
    std::memcpy(bytes.data(), buffer_.data() + used_, take);
    used_ += take;
    bytes = bytes.subspan(take);
  }
  return true;
}

void SourceReader::Skip(std::uint64_t count) {
  const std::uint64_t in_buffer = filled_ - used_;
  if (count <= in_buffer) {
    used_ += static_cast<std::size_t>(count);
    return;
  }
  // Past the end of the file, the next read fails.
  offset_ += count - in_buffer;
  used_ = filled_ = 0;
}

SourceReader::StringRead SourceReader::ReadString(std::size_t longest, std::string& text) {
  text.clear();
  std::uint8_t byte = 0;
  while (Read(std::span(&byte, 1))) {
    if (byte == 0) return StringRead::kOk;
    if (text.size() == longest) return StringRead::kTooLong;
    text.push_back(static_cast<char>(byte));
  }
  return StringRead::kFileEnded;
}

}  // namespace codec
