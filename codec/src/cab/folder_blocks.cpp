#include "cab/folder_blocks.h"

#include <array>

#include "cab/cabinet_format.h"
#include "common/block_codec.h"
#include "common/format.h"

namespace codec {
namespace {

constexpr std::size_t kReadBuffer = std::size_t{256} * 1024;
constexpr std::size_t kLargestReserve = 255;

// Writers differ on whether a block's checksum covers its reserve; either reading is accepted.
bool ChecksumMatches(std::uint32_t stored, std::span<const std::uint8_t> coded,
                     std::span<const std::uint8_t> record) {
  if (stored == 0) return true;  // no checksum written
  const std::uint32_t over_data = CabinetChecksum(coded, 0);
  return stored == CabinetChecksum(record.first(4), over_data) ||
         stored == CabinetChecksum(record, over_data);
}

}  // namespace

FolderBlocks::FolderBlocks(std::vector<FolderSegment> segments, const std::string* missing_next)
    : segments_(std::move(segments)), missing_next_(missing_next) {
  coded_.reserve(kMaxBlockInput);
}

std::string FolderBlocks::Where() const {
  return "bloc " + std::to_string(number_) + " du dossier, dans « " + *segments_[segment_].cabinet +
         " »";
}

Error FolderBlocks::Next(std::span<const std::uint8_t>& coded, std::uint16_t& expanded, bool& ended,
                         std::string& detail) {
  coded_.clear();
  ended = false;
  for (;;) {
    if (segment_ == segments_.size()) {
      if (coded_.empty()) {
        ended = true;
        return Error::kOk;
      }
      // The first part of a split block, and no cabinet for the rest.
      if (missing_next_ != nullptr) {
        detail = "la suite est dans « " + *missing_next_ + " », introuvable";
        return Error::kMissingPart;
      }
      detail = "le dernier bloc du dossier est incomplet";
      return Error::kTruncated;
    }
    const FolderSegment& segment = segments_[segment_];
    if (block_ == segment.record.block_count) {
      ++segment_;
      block_ = 0;
      reader_.reset();
      continue;
    }
    if (!reader_) reader_.emplace(*segment.source, segment.record.data_offset, kReadBuffer);
    if (coded_.empty()) ++number_;

    std::array<std::uint8_t, kCabinetDataHeaderSize + kLargestReserve> record{};
    const std::span<std::uint8_t> header(record.data(),
                                         kCabinetDataHeaderSize + segment.data_reserve);
    if (!reader_->Read(header)) {
      detail = "le fichier s'arrête avant le " + Where();
      return Error::kTruncated;
    }
    const std::uint32_t checksum = LoadLe32(record.data());
    const std::uint16_t coded_size = LoadLe16(record.data() + 4);
    const std::uint16_t expanded_size = LoadLe16(record.data() + 6);
    const std::size_t start = coded_.size();
    if (start + coded_size > kMaxBlockInput || expanded_size > kMaxBlockOutput) {
      detail = "taille impossible au " + Where();
      return Error::kCorruptData;
    }
    coded_.resize(start + coded_size);
    if (!reader_->Read(std::span(coded_).subspan(start))) {
      detail = "le fichier s'arrête dans le " + Where();
      return Error::kTruncated;
    }
    if (!ChecksumMatches(checksum, std::span(coded_).subspan(start), header.subspan(4))) {
      detail = "somme de contrôle incorrecte au " + Where();
      return Error::kCorruptData;
    }
    ++block_;
    if (expanded_size == 0) {
      // Only a block split between two cabinets has no expanded size: its rest comes first in
      // the next one.
      if (block_ != segment.record.block_count) {
        detail = "bloc vide au " + Where();
        return Error::kCorruptData;
      }
      continue;
    }
    coded = coded_;
    expanded = expanded_size;
    return Error::kOk;
  }
}

}  // namespace codec
