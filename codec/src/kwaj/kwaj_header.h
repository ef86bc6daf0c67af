// The KWAJ header: fixed part, then the optional fields its flags announce, then the data at the
// offset it gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/codec.h"

namespace codec {

struct KwajHeaderParse {
  Error error = Error::kOk;
  // When error is kOk: 0 once the header is complete, else how many bytes the next attempt needs.
  std::size_t need = 0;
  std::size_t data_offset = 0;
};

// Parses the header from the start of a KWAJ file (signature included). Reads only within `bytes`;
// an incomplete header asks for more bytes through `need`. Fills `header` when complete.
KwajHeaderParse ParseKwajHeader(std::span<const std::uint8_t> bytes, Header& header);

// Methods that the KWAJ decoders know.
inline constexpr std::uint16_t kKwajStored = 0;
inline constexpr std::uint16_t kKwajXor = 1;
inline constexpr std::uint16_t kKwajSzdd = 2;
inline constexpr std::uint16_t kKwajLzh = 3;
inline constexpr std::uint16_t kKwajMsZip = 4;

}  // namespace codec
