// A cabinet read front to back, as the single-file expander reads its files: the records first,
// then the data blocks of its one folder in order, giving the one file it holds. That is the
// layout CabinetWriter makes. Cabinets of several files or folders, of a set, or whose records do
// not come before their data are CabinetSet's.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "cab/block_decoders.h"
#include "cab/cabinet_directory.h"
#include "common/checked_output.h"
#include "common/stream_decoder.h"

namespace codec {

class CabinetStreamDecoder final : public StreamDecoder {
 public:
  explicit CabinetStreamDecoder(ByteSink& sink);
  ~CabinetStreamDecoder() override;

  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override;
  // Once the records have been read.
  const Header* header() const { return header_ ? &*header_ : nullptr; }

 private:
  Error TakeRecords(std::span<const std::uint8_t>& bytes, bool final);
  Error StartData();
  Error TakeBlock(std::span<const std::uint8_t>& bytes);

  ByteSink& sink_;
  std::vector<std::uint8_t> head_;  // the cabinet up to its first data block
  std::size_t parse_at_ = 0;        // head size at which the records are read again
  CabinetDirectory directory_;
  std::optional<Header> header_;
  std::unique_ptr<CheckedOutput> out_;
  std::unique_ptr<BlockDecoder> decoder_;
  std::size_t data_offset_ = 0;
  std::uint32_t blocks_left_ = 0;
  std::vector<std::uint8_t> block_;  // the current block's record and coded bytes
  std::size_t block_need_ = 0;
  bool in_data_ = false;
  std::vector<std::uint8_t> expanded_;
};

}  // namespace codec
