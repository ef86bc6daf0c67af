#include "lzx/lzx_decoder.h"

#include <algorithm>
#include <cstring>

#include "lzx/lzx_calls.h"
#include "lzx/lzx_match_copy.h"
#include "lzx/lzx_tree_reader.h"

namespace codec {
namespace {

bool ValidWindow(unsigned window_bits) {
  return window_bits >= kLzxMinWindowBits && window_bits <= kLzxMaxWindowBits;
}

std::uint32_t LoadLe32(std::span<const std::uint8_t> bytes) {
  return bytes[0] | (std::uint32_t{bytes[1]} << 8) | (std::uint32_t{bytes[2]} << 16) |
         (std::uint32_t{bytes[3]} << 24);
}

}  // namespace

LzxDecoder::LzxDecoder(unsigned window_bits)
    : main_symbols_(ValidWindow(window_bits) ? LzxMainSymbols(window_bits) : 0),
      window_(ValidWindow(window_bits) ? (std::size_t{1} << window_bits) + kLzxCopySlack : 0),
      window_mask_(static_cast<std::uint32_t>(window_.size() - kLzxCopySlack) - 1) {
  if (!ValidWindow(window_bits)) error_ = Error::kCorruptData;
}

Error LzxDecoder::Fail(Error error) {
  error_ = error;
  return error;
}

Error LzxDecoder::Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
  if (error_ != Error::kOk) return error_;
  if (output.empty() || output.size() > kLzxFrameSize || short_frame_seen_) {
    return Fail(Error::kCorruptData);
  }
  short_frame_seen_ = output.size() < kLzxFrameSize;
  WordBitReader reader(input);
  if (pad_pending_) {
    pad_pending_ = false;
    if (reader.TakeBytes(1).size() != 1) return Fail(Error::kCorruptData);
  }
  if (!header_read_) {
    header_read_ = true;
    if (reader.Bits(1) != 0) {
      translation_size_ = reader.Bits(kLzxTranslationSizeBits);
      if (*translation_size_ > kLzxMaxTranslationSize) return Fail(Error::kCorruptData);
    }
  }
  const auto frame_size = static_cast<std::uint32_t>(output.size());
  if (const Error e = DecodeFrame(reader, frame_size); e != Error::kOk) return Fail(e);
  reader.AlignToWord();
  if (reader.overrun() || reader.bytes_left() != 0) return Fail(Error::kCorruptData);
  const auto frame_start = static_cast<std::uint32_t>(position_ & window_mask_);
  std::memcpy(output.data(), window_.data() + frame_start, frame_size);
  if (translation_size_ && position_ / kLzxFrameSize < kLzxTranslatedFrames) {
    UntranslateLzxCalls(output, static_cast<std::uint32_t>(position_), *translation_size_);
  }
  position_ += frame_size;
  return Error::kOk;
}

Error LzxDecoder::DecodeFrame(WordBitReader& reader, std::uint32_t frame_size) {
  // Frames start at multiples of 32 KiB, so a frame never wraps around the window.
  auto at = static_cast<std::uint32_t>(position_ & window_mask_);
  const std::uint32_t end = at + frame_size;
  while (at < end) {
    if (block_left_ == 0) {
      if (const Error e = ReadBlockHeader(reader); e != Error::kOk) return e;
    }
    const std::uint32_t count = std::min(block_left_, end - at);
    if (block_type_ == LzxBlockType::kUncompressed) {
      if (const Error e = CopyUncompressed(reader, at, count); e != Error::kOk) return e;
      at += count;
    } else {
      std::uint32_t block_at = at;
      if (const Error e = DecodeTokens(reader, block_at, at + count); e != Error::kOk) return e;
      at = block_at;
    }
    block_left_ -= count;
  }
  return Error::kOk;
}

Error LzxDecoder::ReadBlockHeader(WordBitReader& reader) {
  const std::uint32_t type = reader.Bits(kLzxBlockTypeBits);
  block_left_ = reader.Bits(kLzxBlockSizeBits);
  if (type < 1 || type > 3) return Error::kCorruptData;
  block_type_ = static_cast<LzxBlockType>(type);
  if (block_type_ != LzxBlockType::kUncompressed) {
    return ReadTrees(reader, block_type_ == LzxBlockType::kAligned);
  }
  block_odd_ = block_left_ % 2 != 0;
  reader.SkipToNextWord();
  const std::span<const std::uint8_t> offsets = reader.TakeBytes(12);
  if (offsets.size() != 12) return Error::kCorruptData;
  for (std::size_t i = 0; i < repeated_.size(); ++i)
    repeated_[i] = LoadLe32(offsets.subspan(4 * i, 4));
  return Error::kOk;
}

Error LzxDecoder::ReadTrees(WordBitReader& reader, bool aligned) {
  if (aligned) {
    std::array<std::uint8_t, kLzxAlignedSymbols> lengths{};
    for (std::uint8_t& length : lengths)
      length = static_cast<std::uint8_t>(reader.Bits(kLzxAlignedLengthBits));
    if (!aligned_.Build(lengths, kLzxOtherTreesIncomplete)) return Error::kCorruptData;
  }
  const std::span<std::uint8_t> main = std::span(main_lengths_).first(main_symbols_);
  if (!ReadLzxTree(reader, main.first(kLzxLiterals)) ||
      !ReadLzxTree(reader, main.subspan(kLzxLiterals)) ||
      !main_.Build(main, kLzxOtherTreesIncomplete) || !ReadLzxTree(reader, length_lengths_) ||
      !length_.Build(length_lengths_, kLzxLengthTreeIncomplete)) {
    return Error::kCorruptData;
  }
  return Error::kOk;
}

Error LzxDecoder::CopyUncompressed(WordBitReader& reader, std::uint32_t at, std::uint32_t count) {
  const std::span<const std::uint8_t> bytes = reader.TakeBytes(count);
  if (bytes.size() != count) return Error::kCorruptData;
  std::memcpy(window_.data() + at, bytes.data(), count);
  // An odd block's padding byte follows its bytes, or when they end the frame's input, may open
  // the next frame's.
  if (count == block_left_ && block_odd_) pad_pending_ = reader.TakeBytes(1).empty();
  return Error::kOk;
}

Error LzxDecoder::DecodeTokens(WordBitReader& reader_state, std::uint32_t& at_state,
                               std::uint32_t end) {
  // The loop works on locals, which byte stores into the window cannot alias.
  WordBitReader reader = reader_state;
  std::uint32_t at = at_state;
  LzxRepeated repeated = repeated_;
  const auto leave = [&](Error error) {
    reader_state = reader;
    at_state = at;
    repeated_ = repeated;
    return error;
  };
  std::uint8_t* const window = window_.data();
  // How far back a match may reach: to the folder's start during the window's first lap, then
  // to the window's size less 3 (repeated offsets from an uncompressed block could say more).
  const bool first_lap = position_ <= window_mask_;
  const std::uint32_t most = window_mask_ - 2;
  const bool aligned = block_type_ == LzxBlockType::kAligned;
  while (at < end) {
    // Enough bits for a main code and a length code.
    reader.Refill();
    // The main tree fills its code space: every bit string starts a code.
    const auto main = main_.Lookup(reader.PeekRefilled(kMaxHuffmanCodeLength));
    reader.Skip(main.length);
    if (main.symbol < static_cast<int>(kLzxLiterals)) {
      window[at++] = static_cast<std::uint8_t>(main.symbol);
      continue;
    }
    const auto match = static_cast<std::uint32_t>(main.symbol) - kLzxLiterals;
    const std::uint32_t slot = match / kLzxLengthHeaders;
    std::uint32_t length = match % kLzxLengthHeaders;
    if (length == kLzxLongLengthHeader) {
      const auto more = length_.Lookup(reader.PeekRefilled(kMaxHuffmanCodeLength));
      if (more.length == 0) return leave(Error::kCorruptData);
      reader.Skip(more.length);
      length += static_cast<std::uint32_t>(more.symbol);
    }
    length += kLzxMinMatch;
    // Slots 0 to 2 have no extra bits: their formatted offsets are 0 to 2, the repeated ones.
    const unsigned extra = kLzxSlots.extra_bits[slot];
    std::uint32_t footer = 0;
    if (aligned && extra >= kLzxAlignedBits) {
      footer = reader.Bits(extra - kLzxAlignedBits) << kLzxAlignedBits;
      const int low = aligned_.Decode(reader);
      if (low < 0) return leave(Error::kCorruptData);
      footer |= static_cast<std::uint32_t>(low);
    } else {
      footer = reader.Bits(extra);
    }
    const std::uint32_t offset = kLzxSlots.base[slot] + footer;
    // The repeated offsets updated by selection rather than branches, which data mispredicts.
    const std::uint32_t distance = offset >= kLzxRepeatedOffsets ? offset - kLzxOffsetBias
                                   : offset == 0                 ? repeated[0]
                                   : offset == 1                 ? repeated[1]
                                                                 : repeated[2];
    repeated = {distance, offset == 0 || offset == 2 ? repeated[1] : repeated[0],
                offset == 2                     ? repeated[0]
                : offset >= kLzxRepeatedOffsets ? repeated[1]
                                                : repeated[2]};
    // distance - 1 also turns a distance of 0 into one too far.
    if (length > end - at || distance - 1 >= (first_lap ? at : most)) {
      return leave(Error::kCorruptData);
    }
    CopyLzxMatch(window, window_mask_, at, distance, length);
    at += length;
  }
  return leave(Error::kOk);
}

}  // namespace codec
