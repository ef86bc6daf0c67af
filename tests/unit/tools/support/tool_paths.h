// The native tool binaries under test (paths given by the build).
#pragma once

#include <string>

namespace tools::testing_support {

inline const std::string kCompress = TASSEFICHE_COMPRESS;
inline const std::string kExpand = TASSEFICHE_EXPAND;

}  // namespace tools::testing_support
