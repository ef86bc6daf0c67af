#include <algorithm>

#include "cab/block_encoders.h"
#include "cab/cabinet_format.h"
#include "cab/stored_names.h"
#include "codec/codec.h"
#include "common/block_codec.h"

namespace codec {
namespace {

constexpr std::uint64_t kLargestCabinet = 0xFFFFFFFFu;

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (static_cast<unsigned char>(c) & 0x80) == 0; });
}

}  // namespace

struct CabinetWriter::State final : BlockSink {
  State(ByteSink& out, CabinetFileInfo file, std::optional<std::uint32_t> cabinet_size)
      : sink(out), info(std::move(file)), announced(cabinet_size) {}

  bool Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) override;
  void MakeHeader(std::uint32_t cabinet_size);

  ByteSink& sink;
  CabinetFileInfo info;
  std::optional<std::uint32_t> announced;
  std::uint16_t type = 0;
  std::uint16_t block_count = 0;
  std::unique_ptr<FolderEncoder> encoder;
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> block;  // one data block's record and bytes, on their way out
  std::uint64_t fed = 0;
  std::uint64_t written = 0;
  std::uint64_t expanded = 0;
  std::uint32_t blocks_taken = 0;
  Error refusal = Error::kOutputFailed;  // why Take() said no
  Error error = Error::kOk;
};

void CabinetWriter::State::MakeHeader(std::uint32_t cabinet_size) {
  const bool utf8 = !IsAscii(info.name);
  const std::size_t files_at = kCabinetHeaderSize + kCabinetFolderSize;
  const std::size_t data_at = files_at + kCabinetFileSize + info.name.size() + 1;
  header.assign(std::begin(kCabinetSignature), std::end(kCabinetSignature));
  PutLe32(header, 0);
  PutLe32(header, cabinet_size);
  PutLe32(header, 0);
  PutLe32(header, static_cast<std::uint32_t>(files_at));
  PutLe32(header, 0);
  header.push_back(kCabinetVersionMinor);
  header.push_back(kCabinetVersionMajor);
  PutLe16(header, 1);  // folders
  PutLe16(header, 1);  // files
  PutLe16(header, 0);  // flags: no reserve, no set
  PutLe16(header, 0);  // set identifier
  PutLe16(header, 0);  // index in the set
  PutLe32(header, static_cast<std::uint32_t>(data_at));
  PutLe16(header, block_count);
  PutLe16(header, type);
  PutLe32(header, static_cast<std::uint32_t>(info.size));
  PutLe32(header, 0);  // offset in the folder
  PutLe16(header, 0);  // folder
  PutLe16(header, info.dos_date);
  PutLe16(header, info.dos_time);
  PutLe16(header,
          static_cast<std::uint16_t>((info.attributes & 0x7F) | (utf8 ? kAttributeNameIsUtf8 : 0)));
  header.insert(header.end(), info.name.begin(), info.name.end());
  header.push_back(0);
}

bool CabinetWriter::State::Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) {
  ++blocks_taken;
  expanded += expanded_size;
  block.clear();
  AppendDataBlock(block, coded, static_cast<std::uint16_t>(expanded_size));
  if (blocks_taken > block_count) {
    refusal = Error::kLengthMismatch;
    return false;
  }
  if (written + block.size() > kLargestCabinet) {
    refusal = Error::kTooLarge;
    return false;
  }
  if (!sink.Write(block)) return false;
  written += block.size();
  return true;
}

CabinetWriter::CabinetWriter(ByteSink& sink, const CabinetFileInfo& file,
                             const CabinetCompression& compression,
                             std::optional<std::uint32_t> cabinet_size)
    : state_(std::make_unique<State>(sink, file, cabinet_size)) {
  State& s = *state_;
  if (file.size > kCabinetMaxFileSize) {
    s.error = Error::kTooLarge;
    return;
  }
  s.block_count = static_cast<std::uint16_t>((file.size + kMaxBlockOutput - 1) / kMaxBlockOutput);
  s.encoder = MakeFolderEncoder(compression, s, s.type);
  if (s.encoder == nullptr) {
    s.error = Error::kUnknownMethod;
    return;
  }
  s.MakeHeader(cabinet_size.value_or(0));
  if (!sink.Write(s.header)) {
    s.error = Error::kOutputFailed;
    return;
  }
  s.written = s.header.size();
}

CabinetWriter::~CabinetWriter() = default;

Error CabinetWriter::Feed(std::span<const std::uint8_t> bytes) {
  State& s = *state_;
  if (s.error != Error::kOk) return s.error;
  if (s.fed + bytes.size() > s.info.size) return s.error = Error::kLengthMismatch;
  s.fed += bytes.size();
  if (s.encoder->Feed(bytes) != Error::kOk) s.error = s.refusal;
  return s.error;
}

Error CabinetWriter::Finish() {
  State& s = *state_;
  if (s.error != Error::kOk) return s.error;
  if (s.fed != s.info.size) return s.error = Error::kLengthMismatch;
  if (s.encoder->Finish() != Error::kOk) return s.error = s.refusal;
  if (s.blocks_taken != s.block_count || s.expanded != s.info.size) {
    return s.error = Error::kLengthMismatch;
  }
  if (s.announced && *s.announced != s.written) return s.error = Error::kLengthMismatch;
  s.MakeHeader(static_cast<std::uint32_t>(s.written));
  return Error::kOk;
}

const std::vector<std::uint8_t>& CabinetWriter::Header() const {
  return state_->header;
}
std::uint64_t CabinetWriter::size() const {
  return state_->written;
}

}  // namespace codec
