// Everything the cabinet bench measures on one file: our MSZIP and LZX cabinets against gcab's and
// xz -9. Times are the best wall-clock seconds of the runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct CabResult {
  std::string name;
  std::uint64_t size = 0;
  std::uint64_t ours = 0;   // our MSZIP cabinet, headers included
  double ours_seconds = 0;  // our encoder, in memory
  std::uint64_t lzx = 0;    // our LZX cabinet, headers included
  double lzx_seconds = 0;
  std::optional<std::uint64_t> gcab;  // gcab -c -z, end to end
  std::optional<double> gcab_seconds;
  std::optional<std::uint64_t> xz;  // xz -9, for reference
  std::optional<double> xz_seconds;
  std::vector<std::string> problems;  // wrong output, a failed peer: any entry fails the run
};

}  // namespace bench
