#include <algorithm>
#include <memory>

#include "codec/codec.h"
#include "szdd/optimal_parser.h"
#include "szdd/szdd_writer.h"

namespace codec {

struct SzddCompressor::State {
  State(ByteSink& sink, std::uint64_t total, char lost)
      : writer(sink), length(total), lost_char(lost) {}

  Error Start();
  Error Feed(std::span<const std::uint8_t> bytes);
  Error Finish();

  SzddWriter writer;
  std::uint64_t length;
  char lost_char;
  std::uint64_t fed = 0;
  std::unique_ptr<OptimalParser> parser;
  Error error = Error::kOk;
  bool finished = false;
};

Error SzddCompressor::State::Start() {
  if (parser) return Error::kOk;
  if (length > kSzddMaxLength) return Error::kTooLarge;
  writer.Header(lost_char, static_cast<std::uint32_t>(length));
  // The undecided stretch never exceeds the input, so a small file needs only small buffers.
  const std::size_t limit = static_cast<std::size_t>(
      std::clamp<std::uint64_t>(length + 1, 64, OptimalParser::kDefaultPendingLimit));
  parser = std::make_unique<OptimalParser>(length, writer, limit);
  return Error::kOk;
}

Error SzddCompressor::State::Feed(std::span<const std::uint8_t> bytes) {
  if (const Error e = Start(); e != Error::kOk) return e;
  if (finished || bytes.size() > length - fed) return Error::kLengthMismatch;
  parser->Feed(bytes);
  fed += bytes.size();
  return writer.error();
}

Error SzddCompressor::State::Finish() {
  if (const Error e = Start(); e != Error::kOk) return e;
  if (finished) return Error::kOk;
  finished = true;
  if (fed != length) return Error::kLengthMismatch;
  parser->Finish();
  return writer.Finish();
}

SzddCompressor::SzddCompressor(ByteSink& sink, std::uint64_t length, char lost_char)
    : state_(std::make_unique<State>(sink, length, lost_char)) {}
SzddCompressor::~SzddCompressor() = default;

Error SzddCompressor::Feed(std::span<const std::uint8_t> bytes) {
  if (state_->error == Error::kOk) state_->error = state_->Feed(bytes);
  return state_->error;
}

Error SzddCompressor::Finish() {
  if (state_->error == Error::kOk) state_->error = state_->Finish();
  return state_->error;
}

Error CompressSzdd(std::span<const std::uint8_t> input, char lost_char,
                   std::vector<std::uint8_t>& output) {
  VectorSink sink;
  SzddCompressor compressor(sink, input.size(), lost_char);
  Error error = compressor.Feed(input);
  if (error == Error::kOk) error = compressor.Finish();
  output = std::move(sink.bytes);
  return error;
}

}  // namespace codec
