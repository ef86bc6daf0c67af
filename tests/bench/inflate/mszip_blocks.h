// The MSZIP data blocks of a cabinet of one part, as gcab writes it, folder after folder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bench {

struct MsZipBlock {
  std::span<const std::uint8_t> coded;  // "CK" and the stream, inside the cabinet's bytes
  std::size_t expanded = 0;
};

// Nothing when the cabinet is cut short, spans several parts or holds a folder of another method.
std::optional<std::vector<MsZipBlock>> MsZipBlocks(std::span<const std::uint8_t> cabinet);

}  // namespace bench
