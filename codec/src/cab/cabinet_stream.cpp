#include "cab/cabinet_stream.h"

#include <algorithm>

#include "cab/cabinet_format.h"
#include "common/block_codec.h"
#include "common/format.h"

namespace codec {
namespace {

// The records of a cabinet that the expander holds before its data: at most this much.
constexpr std::size_t kLargestHead = std::size_t{64} * 1024;
constexpr std::size_t kFirstLook = kCabinetHeaderSize;

bool ChecksumMatches(std::uint32_t stored, std::span<const std::uint8_t> record,
                     std::span<const std::uint8_t> coded) {
  if (stored == 0) return true;
  const std::uint32_t over_data = CabinetChecksum(coded, 0);
  return stored == CabinetChecksum(record.subspan(4, 4), over_data) ||
         stored == CabinetChecksum(record.subspan(4), over_data);
}

}  // namespace

CabinetStreamDecoder::CabinetStreamDecoder(ByteSink& sink) : sink_(sink), parse_at_(kFirstLook) {}
CabinetStreamDecoder::~CabinetStreamDecoder() = default;

Error CabinetStreamDecoder::Feed(std::span<const std::uint8_t> bytes) {
  if (!in_data_) {
    if (const Error e = TakeRecords(bytes, false); e != Error::kOk) return e;
  }
  while (in_data_ && !bytes.empty()) {
    if (blocks_left_ == 0) return Error::kLengthMismatch;  // bytes after the last block
    if (const Error e = TakeBlock(bytes); e != Error::kOk) return e;
  }
  return Error::kOk;
}

// Gathers the head and reads its records each time it has doubled, so that a head fed byte by
// byte costs no more than one fed whole.
Error CabinetStreamDecoder::TakeRecords(std::span<const std::uint8_t>& bytes, bool final) {
  while (!in_data_) {
    if (!header_) {
      const std::size_t take =
          std::min(bytes.size(), parse_at_ - std::min(parse_at_, head_.size()));
      head_.insert(head_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
      bytes = bytes.subspan(take);
      if (head_.size() < parse_at_ && !final) return Error::kOk;
      SpanCabinetSource source(head_);
      std::string detail;
      const Error read = ReadCabinetDirectory(source, directory_, detail);
      if (read == Error::kTruncated && !final && head_.size() < kLargestHead) {
        parse_at_ = std::min(kLargestHead, head_.size() * 2);
        continue;
      }
      if (read != Error::kOk) return read == Error::kTruncated && !final ? Error::kBadHeader : read;
      if (const Error e = StartData(); e != Error::kOk) return e;
    }
    // The bytes between the records and the first data block.
    const std::size_t take =
        std::min(bytes.size(), data_offset_ - std::min(data_offset_, head_.size()));
    head_.insert(head_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
    bytes = bytes.subspan(take);
    if (head_.size() < data_offset_) return final ? Error::kTruncated : Error::kOk;
    // Bytes read past the records already belong to the data.
    std::vector<std::uint8_t> early(head_.begin() + static_cast<std::ptrdiff_t>(data_offset_),
                                    head_.end());
    head_.clear();
    head_.shrink_to_fit();
    in_data_ = true;
    std::span<const std::uint8_t> rest(early);
    while (!rest.empty()) {
      if (blocks_left_ == 0) return Error::kLengthMismatch;
      if (const Error e = TakeBlock(rest); e != Error::kOk) return e;
    }
  }
  return Error::kOk;
}

Error CabinetStreamDecoder::StartData() {
  const CabinetDirectory& d = directory_;
  const bool one_file = d.folders.size() == 1 && d.files.size() == 1 && d.files[0].folder == 0 &&
                        d.files[0].offset == 0;
  const bool alone = (d.flags & (kCabinetHasPrevious | kCabinetHasNext)) == 0;
  if (!one_file || !alone) return Error::kBadHeader;
  data_offset_ = d.folders[0].data_offset;
  if (data_offset_ > kLargestHead) return Error::kBadHeader;
  MethodInfo info;
  if (DescribeMethod(d.folders[0].type, info) != Error::kOk) return Error::kUnknownMethod;
  decoder_ = MakeBlockDecoder(info);
  if (decoder_ == nullptr) return Error::kUnknownMethod;
  header_.emplace();
  header_->format = Format::kCabinet;
  header_->length = d.files[0].size;
  header_->cabinet_name = d.files[0].name;
  out_ = std::make_unique<CheckedOutput>(sink_, header_->length);
  blocks_left_ = d.folders[0].block_count;
  block_need_ = kCabinetDataHeaderSize + d.data_reserve;
  expanded_.resize(kMaxBlockOutput);
  return Error::kOk;
}

Error CabinetStreamDecoder::TakeBlock(std::span<const std::uint8_t>& bytes) {
  const std::size_t take = std::min(bytes.size(), block_need_ - block_.size());
  block_.insert(block_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
  bytes = bytes.subspan(take);
  if (block_.size() < block_need_) return Error::kOk;
  const std::size_t record_size = kCabinetDataHeaderSize + directory_.data_reserve;
  const std::uint16_t coded_size = LoadLe16(block_.data() + 4);
  const std::uint16_t expanded_size = LoadLe16(block_.data() + 6);
  if (block_need_ == record_size) {
    if (coded_size > kMaxBlockInput || expanded_size == 0 || expanded_size > kMaxBlockOutput) {
      return Error::kCorruptData;
    }
    block_need_ += coded_size;
    if (coded_size != 0) return Error::kOk;
  }
  const std::span<const std::uint8_t> record(block_.data(), record_size);
  const std::span<const std::uint8_t> coded(block_.data() + record_size, coded_size);
  if (!ChecksumMatches(LoadLe32(block_.data()), record, coded)) return Error::kCorruptData;
  const std::span<std::uint8_t> out(expanded_.data(), expanded_size);
  if (decoder_->Decode(coded, out) != Error::kOk) return Error::kCorruptData;
  if (const Error e = out_->Write(out); e != Error::kOk) return e;
  --blocks_left_;
  block_.clear();
  block_need_ = record_size;
  return Error::kOk;
}

Error CabinetStreamDecoder::Finish() {
  if (!in_data_) {
    std::span<const std::uint8_t> none;
    if (const Error e = TakeRecords(none, true); e != Error::kOk) return e;
  }
  if (!block_.empty() || blocks_left_ != 0) return Error::kTruncated;
  return out_->CheckComplete();
}

}  // namespace codec
