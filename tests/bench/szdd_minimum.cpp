#include "szdd_minimum.h"

#include <cstddef>

#include "longest_match.h"

namespace bench {
namespace {

constexpr std::uint64_t kLiteralBits = 9;
constexpr std::uint64_t kMatchBits = 17;

// The parse as a step length from each position: 1 for a literal, 3..18 for a match.
struct Parse {
  std::uint64_t bits = 0;
  std::vector<std::uint8_t> steps;
};

Parse CheapestParse(const std::vector<LongestMatch>& matches) {
  const std::size_t size = matches.size();
  std::vector<std::uint64_t> cost(size + 1, 0);  // bits needed from a position to the end
  Parse parse;
  parse.steps.assign(size, 1);
  for (std::size_t i = size; i-- > 0;) {
    cost[i] = kLiteralBits + cost[i + 1];
    for (std::size_t length = kMinMatch; length <= matches[i].length; ++length) {
      const std::uint64_t bits = kMatchBits + cost[i + length];
      if (bits < cost[i]) {
        cost[i] = bits;
        parse.steps[i] = static_cast<std::uint8_t>(length);
      }
    }
  }
  parse.bits = cost[0];
  return parse;
}

// The signature, mode 'A', no lost character, then the length.
std::vector<std::uint8_t> Header(std::size_t length) {
  std::vector<std::uint8_t> header = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41, 0};
  for (unsigned shift = 0; shift < 32; shift += 8) {
    header.push_back(static_cast<std::uint8_t>(length >> shift));
  }
  return header;
}

// Groups of one flag byte and up to eight items, flag bits from the least significant.
std::vector<std::uint8_t> EncodeParse(std::span<const std::uint8_t> data,
                                      const std::vector<LongestMatch>& matches,
                                      const Parse& parse) {
  std::vector<std::uint8_t> file = Header(data.size());
  file.reserve(kSzddHeaderSize + (parse.bits + 7) / 8);
  std::size_t flag_index = 0;
  unsigned items_in_group = 8;
  for (std::size_t i = 0; i < data.size(); i += parse.steps[i]) {
    if (items_in_group == 8) {
      flag_index = file.size();
      file.push_back(0);
      items_in_group = 0;
    }
    if (parse.steps[i] == 1) {
      file[flag_index] = static_cast<std::uint8_t>(file[flag_index] | 1U << items_in_group);
      file.push_back(data[i]);
    } else {
      const unsigned ring = RingPosition(i, matches[i].distance);
      file.push_back(static_cast<std::uint8_t>(ring & 0xFFU));
      file.push_back(static_cast<std::uint8_t>((ring >> 4U & 0xF0U) | (parse.steps[i] - 3U)));
    }
    ++items_in_group;
  }
  return file;
}

}  // namespace

Minimum ComputeMinimum(std::span<const std::uint8_t> data) {
  const std::vector<LongestMatch> matches = FindLongestMatches(data);
  const Parse parse = CheapestParse(matches);
  Minimum minimum;
  minimum.bits = parse.bits;
  minimum.bytes = kSzddHeaderSize + (parse.bits + 7) / 8;
  minimum.file = EncodeParse(data, matches, parse);
  return minimum;
}

}  // namespace bench
