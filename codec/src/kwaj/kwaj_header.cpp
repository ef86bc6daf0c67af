#include "kwaj/kwaj_header.h"

#include <string>

#include "common/format.h"

namespace codec {
namespace {

enum KwajFlag : std::uint16_t {
  kHasLength = 1u << 0,
  kHasUnknown2 = 1u << 1,
  kHasUnknownBlock = 1u << 2,
  kHasName = 1u << 3,
  kHasExtension = 1u << 4,
  kHasText = 1u << 5,
};

// Walks the optional fields; each step either advances or reports what is missing.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t position() const { return pos_; }
  std::size_t need() const { return need_; }

  bool Take(std::size_t count, const std::uint8_t** out) {
    if (bytes_.size() - pos_ < count) {
      need_ = pos_ + count;
      return false;
    }
    *out = bytes_.data() + pos_;
    pos_ += count;
    return true;
  }

  // A NUL-ended string of at most max_chars characters; kBadHeader when the NUL is missing.
  bool TakeString(std::size_t max_chars, std::string& text, Error& error) {
    for (std::size_t i = 0; i <= max_chars; ++i) {
      if (pos_ + i >= bytes_.size()) {
        need_ = pos_ + i + 1;
        return false;
      }
      if (bytes_[pos_ + i] == 0) {
        text.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + i));
        pos_ += i + 1;
        return true;
      }
    }
    error = Error::kBadHeader;
    return false;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = kKwajFixedHeaderSize;
  std::size_t need_ = 0;
};

}  // namespace

KwajHeaderParse ParseKwajHeader(std::span<const std::uint8_t> bytes, Header& header) {
  KwajHeaderParse result;
  if (bytes.size() < kKwajFixedHeaderSize) {
    result.need = kKwajFixedHeaderSize;
    return result;
  }
  const std::uint16_t method = LoadLe16(bytes.data() + 8);
  const std::uint16_t data_offset = LoadLe16(bytes.data() + 10);
  const std::uint16_t flags = LoadLe16(bytes.data() + 12);
  if (method > kKwajMsZip) {
    result.error = Error::kUnknownMethod;
    return result;
  }

  Header parsed;
  parsed.format = Format::kKwaj;
  parsed.kwaj_method = method;
  FieldReader reader(bytes);
  const std::uint8_t* field = nullptr;
  // A field that would run past the start of the data is damage, not a reason to wait: this also
  // bounds what the caller buffers to the 64 KiB that the offset can express.
  auto incomplete = [&] {
    if (reader.need() > data_offset) {
      result.error = Error::kBadHeader;
    } else {
      result.need = reader.need();
    }
    return result;
  };
  if ((flags & kHasLength) != 0) {
    if (!reader.Take(4, &field)) return incomplete();
    parsed.length = LoadLe32(field);
  }
  if ((flags & kHasUnknown2) != 0 && !reader.Take(2, &field)) return incomplete();
  if ((flags & kHasUnknownBlock) != 0) {
    if (!reader.Take(2, &field)) return incomplete();
    if (!reader.Take(LoadLe16(field), &field)) return incomplete();
  }
  if ((flags & kHasName) != 0 && !reader.TakeString(8, parsed.kwaj_name, result.error)) {
    return result.error == Error::kOk ? incomplete() : result;
  }
  if ((flags & kHasExtension) != 0 && !reader.TakeString(3, parsed.kwaj_extension, result.error)) {
    return result.error == Error::kOk ? incomplete() : result;
  }
  if ((flags & kHasText) != 0) {
    if (!reader.Take(2, &field)) return incomplete();
    if (!reader.Take(LoadLe16(field), &field)) return incomplete();
  }
  // The data cannot start inside the fields that precede it.
  if (data_offset < reader.position()) {
    result.error = Error::kBadHeader;
    return result;
  }
  if (bytes.size() < data_offset) {
    result.need = data_offset;
    return result;
  }
  header = std::move(parsed);
  result.data_offset = data_offset;
  return result;
}

}  // namespace codec
