// Packs SZDD items into groups of a flag byte and up to eight items, behind the 14-byte header,
// and hands the bytes to a sink in large chunks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/codec.h"
#include "szdd/szdd_items.h"

namespace codec {

class SzddWriter final : public SzddItemSink {
 public:
  explicit SzddWriter(ByteSink& sink);

  void Header(char lost_char, std::uint32_t length);
  void Literal(std::uint8_t byte) override;
  void Match(std::uint32_t ring_index, std::uint32_t length) override;
  // Writes the last group and everything still buffered.
  Error Finish();
  // kOutputFailed once the sink has refused bytes (later items are dropped).
  Error error() const { return error_; }

 private:
  void EndGroup();
  void Flush();

  ByteSink& sink_;
  std::array<std::uint8_t, 17> group_{};
  std::size_t group_size_ = 1;  // the flag byte comes first
  unsigned items_ = 0;
  std::vector<std::uint8_t> out_;
  Error error_ = Error::kOk;
};

}  // namespace codec
