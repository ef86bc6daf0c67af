// The decoder of a folder's method, from its compression type.
#pragma once

#include <cstdint>
#include <memory>

#include "common/block_codec.h"

namespace codec {

struct MethodInfo {
  CabinetMethod method = CabinetMethod::kStored;
  unsigned window_bits = 0;
  unsigned quantum_level = 0;
};

// kUnknownMethod for a method or parameters that no decoder here takes.
Error DescribeMethod(std::uint16_t type, MethodInfo& info);
std::unique_ptr<BlockDecoder> MakeBlockDecoder(const MethodInfo& info);

}  // namespace codec
