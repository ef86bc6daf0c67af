#include <algorithm>
#include <memory>
#include <vector>

#include "cab/cabinet_format.h"
#include "cab/cabinet_stream.h"
#include "codec/codec.h"
#include "common/checked_output.h"
#include "common/format.h"
#include "common/stream_decoder.h"
#include "kwaj/kwaj_header.h"
#include "kwaj/kwaj_lzh.h"
#include "kwaj/kwaj_stored.h"
#include "mszip/mszip.h"
#include "szdd/szdd_stream.h"

namespace codec {
namespace {

bool IsSignaturePrefix(std::span<const std::uint8_t> bytes) {
  const std::size_t cabinet = std::min(bytes.size(), kCabinetSignatureLength);
  return std::ranges::any_of(kSignatures,
                             [&](const Signature* signature) {
                               return std::equal(bytes.begin(), bytes.end(), signature->begin());
                             }) ||
         std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cabinet),
                    std::begin(kCabinetSignature));
}

}  // namespace

struct Expander::State {
  enum class Stage : std::uint8_t { kHeader, kData, kDone };

  explicit State(ByteSink& out) : sink(out) {}

  Error Feed(std::span<const std::uint8_t> bytes);
  Error TakeHeaderBytes(std::span<const std::uint8_t>& bytes);
  Error StartData(Header parsed, std::uint32_t start);
  // A cabinet reads its own records: the bytes so far go to its decoder, and the rest after them.
  Error StartCabinet();
  Error Finish();

  ByteSink& sink;
  Stage stage = Stage::kHeader;
  Error error = Error::kOk;
  std::vector<std::uint8_t> head;  // the header so far
  std::size_t head_need = kSignatureLength;
  std::optional<Format> format;
  std::optional<Header> header;
  std::unique_ptr<CheckedOutput> output;
  std::unique_ptr<StreamDecoder> decoder;
  CabinetStreamDecoder* cabinet = nullptr;  // the decoder, when it reads a cabinet
};

Error Expander::State::Feed(std::span<const std::uint8_t> bytes) {
  if (stage == Stage::kHeader) {
    if (const Error e = TakeHeaderBytes(bytes); e != Error::kOk) return e;
  }
  if (bytes.empty()) return Error::kOk;
  if (stage == Stage::kDone) return Error::kLengthMismatch;  // input after Finish
  return decoder->Feed(bytes);
}

// Gathers header bytes, at most what the header needs, and starts the data once it is complete.
Error Expander::State::TakeHeaderBytes(std::span<const std::uint8_t>& bytes) {
  while (stage == Stage::kHeader && !bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), head_need - head.size());
    head.insert(head.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    bytes = bytes.subspan(n);
    if (!format) {
      if (!IsSignaturePrefix(head)) return Error::kNotCompressed;
      if (IsCabinet(head)) return StartCabinet();
      if (head.size() < kSignatureLength) continue;
      format = DetectFormat(head);
      head_need = *format == Format::kSzdd         ? kSzddHeaderSize
                  : *format == Format::kSzddQBasic ? kQBasicHeaderSize
                                                   : kKwajFixedHeaderSize;
    }
    if (head.size() < head_need) continue;
    Header parsed;
    parsed.format = *format;
    if (*format == Format::kSzdd) {
      if (head[8] != kSzddModeA) return Error::kUnknownMethod;
      parsed.lost_char = static_cast<char>(head[9]);
      parsed.length = LoadLe32(head.data() + 10);
      if (const Error e = StartData(std::move(parsed), kSzddStart); e != Error::kOk) return e;
    } else if (*format == Format::kSzddQBasic) {
      parsed.length = LoadLe32(head.data() + 8);
      if (const Error e = StartData(std::move(parsed), kQBasicStart); e != Error::kOk) return e;
    } else {
      const KwajHeaderParse parse = ParseKwajHeader(head, parsed);
      if (parse.error != Error::kOk) return parse.error;
      if (parse.need != 0) {
        head_need = parse.need;
        continue;
      }
      if (const Error e = StartData(std::move(parsed), kQBasicStart); e != Error::kOk) return e;
    }
  }
  return Error::kOk;
}

Error Expander::State::StartCabinet() {
  auto reader = std::make_unique<CabinetStreamDecoder>(sink);
  cabinet = reader.get();
  decoder = std::move(reader);
  stage = Stage::kData;
  std::vector<std::uint8_t> taken;
  taken.swap(head);
  return decoder->Feed(taken);
}

Error Expander::State::StartData(Header parsed, std::uint32_t start) {
  header = std::move(parsed);
  output = std::make_unique<CheckedOutput>(sink, header->length);
  if (header->format != Format::kKwaj) {
    decoder = std::make_unique<SzddStreamDecoder>(*output, start);
  } else {
    switch (header->kwaj_method) {
      case kKwajStored:
        decoder = std::make_unique<KwajStoredDecoder>(*output, 0x00);
        break;
      case kKwajXor:
        decoder = std::make_unique<KwajStoredDecoder>(*output, 0xFF);
        break;
      case kKwajSzdd:
        decoder = std::make_unique<SzddStreamDecoder>(*output, start);
        break;
      case kKwajLzh:
        decoder = std::make_unique<KwajLzhDecoder>(*output);
        break;
      default:
        decoder = std::make_unique<MsZipDecoder>(*output);
        break;
    }
  }
  stage = Stage::kData;
  head.clear();
  head.shrink_to_fit();
  return Error::kOk;
}

Error Expander::State::Finish() {
  // The header so far holds the start of a signature (else Feed has refused it already).
  if (stage == Stage::kHeader) {
    return head.size() < kCutSignatureLength ? Error::kNotCompressed : Error::kTruncated;
  }
  if (stage == Stage::kDone) return Error::kOk;
  stage = Stage::kDone;
  return decoder->Finish();
}

Expander::Expander(ByteSink& sink) : state_(std::make_unique<State>(sink)) {}
Expander::~Expander() = default;

Error Expander::Feed(std::span<const std::uint8_t> bytes) {
  if (state_->error == Error::kOk) state_->error = state_->Feed(bytes);
  return state_->error;
}

Error Expander::Finish() {
  if (state_->error == Error::kOk) state_->error = state_->Finish();
  return state_->error;
}

const Header* Expander::header() const {
  if (state_->cabinet != nullptr) return state_->cabinet->header();
  return state_->header ? &*state_->header : nullptr;
}

Error Expand(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
             Header* header) {
  VectorSink sink;
  Expander expander(sink);
  Error error = expander.Feed(input);
  if (error == Error::kOk) error = expander.Finish();
  if (header != nullptr && expander.header() != nullptr) *header = *expander.header();
  output = std::move(sink.bytes);
  return error;
}

}  // namespace codec
