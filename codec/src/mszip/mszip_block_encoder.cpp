#include "mszip/mszip_block_encoder.h"

#include <algorithm>

#include "mszip/bit_writer.h"
#include "mszip/deflate_tables.h"

namespace codec {
namespace {

constexpr std::uint8_t kSignature[2] = {'C', 'K'};
constexpr int kRounds = 10;

lz::FinderSettings DeflateSettings() {
  lz::FinderSettings settings;
  settings.max_distance = deflate::kMaxDistance;
  settings.min_length = deflate::kMinMatch;
  settings.max_length = deflate::kMaxMatch;
  return settings;
}

}  // namespace

MsZipBlockEncoder::MsZipBlockEncoder() : finder_(DeflateSettings()) {}

void MsZipBlockEncoder::Encode(std::span<const std::uint8_t> bytes, std::uint32_t history,
                               std::vector<std::uint8_t>& out) {
  using deflate::Block;
  const auto end = static_cast<std::uint32_t>(bytes.size());
  finder_.Reset(bytes);
  for (std::uint32_t position = 0; position < history; ++position)
    finder_.Skip(position);
  table_.Collect(finder_, history, end, deflate::kMaxMatch);

  out.insert(out.end(), std::begin(kSignature), std::end(kSignature));
  deflate::BitWriter writer(out);
  Block dynamic = parser_.Dynamic(table_, bytes, history, end,
                                  deflate::CostModel::OfCode(deflate::kFixedCode), kRounds);
  Block fixed = parser_.Fixed(table_, bytes, history, end);
  Block stored;
  stored.size = end - history;
  stored.bits = deflate::StoredBits(stored.size, writer.bit_position());
  Block* best = &stored;
  for (Block* block : {&fixed, &dynamic})
    if (block->bits < best->bits) best = block;
  deflate::WriteBlock(*best, bytes.subspan(history), true, writer);
  writer.Align();
}

}  // namespace codec
