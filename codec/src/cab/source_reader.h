// Sequential reading from a cabinet through a buffer, from any offset: the directory's records
// and the data blocks are read in order, a few bytes at a time, without a call to the source for
// each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/codec.h"

namespace codec {

class SourceReader {
 public:
  SourceReader(CabinetSource& source, std::uint64_t offset, std::size_t buffer_size);

  // Fills `bytes`; false when the file ends first (what was there has been consumed).
  bool Read(std::span<std::uint8_t> bytes);
  void Skip(std::uint64_t count);
  // A NUL-terminated string of at most `longest` bytes before the NUL.
  enum class StringRead : std::uint8_t { kOk, kFileEnded, kTooLong };
  StringRead ReadString(std::size_t longest, std::string& text);

  std::uint64_t offset() const { return offset_ - (filled_ - used_); }

 private:
  bool Refill();

  CabinetSource& source_;
  std::uint64_t offset_;  // of the byte after the buffer's content
  std::vector<std::uint8_t> buffer_;
  std::size_t filled_ = 0;
  std::size_t used_ = 0;
};

}  // namespace codec
