// What the SZDD parser decides, item by item, in stream order.
#pragma once

#include <cstdint>

namespace codec {

class SzddItemSink {
 public:
  virtual ~SzddItemSink() = default;
  virtual void Literal(std::uint8_t byte) = 0;
  // ring_index: absolute window position of the source (0..4095); length: 3..18.
  virtual void Match(std::uint32_t ring_index, std::uint32_t length) = 0;
};

}  // namespace codec
