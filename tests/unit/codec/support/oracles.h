// The independent decoders installed as test oracles: a cabinet written to a scratch folder and
// extracted by cabextract or by 7-Zip, whose output is read back.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;
// Extracted files by their path under the extraction folder ('/' separated).
using ExtractedFiles = std::map<std::string, Bytes>;

enum class Oracle { kCabextract, kSevenZip };
const char* OracleName(Oracle oracle);

// What the oracle extracts from `cabinet`, or nothing when it reports an error.
std::optional<ExtractedFiles> ExtractWith(Oracle oracle, const Bytes& cabinet);

}  // namespace codec_test
