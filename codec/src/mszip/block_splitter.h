// Where to cut a parsed stretch of bytes into DEFLATE blocks. Each block pays for its header, but
// gets a code fitted to its own symbols; a stretch whose statistics change (an executable's code,
// then its tables and strings) is smaller cut where they change.
//
// The cuts are chosen among the steps' boundaries near every kGrain bytes, by a shortest path over
// those candidates that prices each possible block quickly: the symbols' entropy and extra bits
// plus an estimate of the tree header for a dynamic block, the exact size for a fixed or stored
// one, whichever is least. The caller re-parses each block and keeps the cuts only if the exact
// sizes confirm them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lz/shortest_path.h"
#include "mszip/block_code.h"

namespace codec::deflate {

class BlockSplitter {
 public:
  static constexpr std::uint32_t kGrain = 512;

  struct Piece {
    std::uint32_t begin = 0;  // offsets into the bytes
    std::uint32_t end = 0;
    SymbolCounts counts;  // of the steps between, end of block included
  };

  // The blocks to cut the parse `steps` of `bytes` into, in order, covering all the bytes.
  std::vector<Piece> Split(std::span<const std::uint8_t> bytes, std::span<const lz::Step> steps);

 private:
  // Estimated bits of a block whose symbols are `counts` (end of block included) and which gives
  // `size` bytes.
  float Estimate(const SymbolCounts& counts, std::uint32_t size) const;
  float Entropy(std::span<const std::uint32_t> counts) const;
  void ExtendTable(std::size_t largest);

  std::vector<float> n_log_n_;  // n * log2(n), for every count met so far
  std::vector<SymbolCounts> prefix_;
  std::vector<std::uint32_t> offsets_;
};

}  // namespace codec::deflate
