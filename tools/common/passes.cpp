#include "common/passes.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "common/failure.h"

namespace tools {
namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;

// Reads until `bytes` is full or the input ends.
std::size_t ReadFull(Reader& source, std::span<std::uint8_t> bytes) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const std::size_t got = source.Read(bytes.subspan(filled));
    if (got == 0) {
      break;
    }
    filled += got;
  }
  return filled;
}

// Takes the expanded bytes and compares them with the original's, read alongside.
class CompareSink final : public codec::ByteSink {
 public:
  explicit CompareSink(Reader& original) : original_(original), buffer_(kChunk) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty() && !mismatch) {
      const std::size_t size = std::min(bytes.size(), buffer_.size());
      const std::span<std::uint8_t> expected(buffer_.data(), size);
      mismatch = ReadFull(original_, expected) != size ||
                 !std::equal(expected.begin(), expected.end(), bytes.begin());
      bytes = bytes.subspan(size);
    }
    return !mismatch;
  }
  bool mismatch = false;

 private:
  Reader& original_;
  std::vector<std::uint8_t> buffer_;
};

// Checks each chunk against the original before passing it on to the writer.
class CheckingSink final : public codec::ByteSink {
 public:
  CheckingSink(Reader& original, Writer& out)
      : compare_(original), expander_(compare_), out_(out) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (expander_.Feed(bytes) != codec::Error::kOk || compare_.mismatch) {
      mismatch = true;
      return false;
    }
    return out_.Write(bytes);
  }
  // At the end: the output expanded to the whole original, and no more.
  bool Complete(Reader& original) {
    std::uint8_t extra = 0;
    mismatch = expander_.Finish() != codec::Error::kOk || compare_.mismatch ||
               original.Read(std::span(&extra, 1)) != 0;
    return !mismatch;
  }
  bool mismatch = false;
  WriterSink& writer() { return out_; }

 private:
  CompareSink compare_;
  codec::Expander expander_;
  WriterSink out_;
};

class DiscardSink final : public codec::ByteSink {
 public:
  bool Write(std::span<const std::uint8_t> bytes) override {
    written += bytes.size();
    return true;
  }
  std::uint64_t written = 0;
};

// The SZDD compressor and the cabinet writer behind one face.
class Compressor {
 public:
  virtual ~Compressor() = default;
  virtual codec::Error Feed(std::span<const std::uint8_t> bytes) = 0;
  virtual codec::Error Finish() = 0;
  virtual std::vector<std::uint8_t> Header() const { return {}; }
};

class SzddCompressor final : public Compressor {
 public:
  SzddCompressor(codec::ByteSink& sink, const Compression& c)
      : coder_(sink, c.length, c.lost_char) {}
  codec::Error Feed(std::span<const std::uint8_t> bytes) override { return coder_.Feed(bytes); }
  codec::Error Finish() override { return coder_.Finish(); }

 private:
  codec::SzddCompressor coder_;
};

class CabinetCompressor final : public Compressor {
 public:
  CabinetCompressor(codec::ByteSink& sink, const Compression& c)
      : writer_(sink, FileOf(c), MethodOf(c), c.cabinet_size) {}
  codec::Error Feed(std::span<const std::uint8_t> bytes) override { return writer_.Feed(bytes); }
  codec::Error Finish() override { return writer_.Finish(); }
  std::vector<std::uint8_t> Header() const override { return writer_.Header(); }

 private:
  static codec::CabinetFileInfo FileOf(const Compression& c) {
    codec::CabinetFileInfo file = c.cabinet;
    file.size = c.length;
    return file;
  }
  static codec::CabinetCompression MethodOf(const Compression& c) {
    codec::CabinetCompression method;
    method.method = c.container == Container::kCabinetLzx ? codec::CabinetMethod::kLzx
                                                          : codec::CabinetMethod::kMsZip;
    method.window_bits = c.window_bits;
    return method;
  }
  codec::CabinetWriter writer_;
};

std::unique_ptr<Compressor> MakeCompressor(codec::ByteSink& sink, const Compression& c) {
  if (c.container == Container::kSzdd) return std::make_unique<SzddCompressor>(sink, c);
  return std::make_unique<CabinetCompressor>(sink, c);
}

// Feeds the whole of `source` to `coder`, then finishes it.
template <typename Coder>
codec::Error Pump(Reader& source, Coder& coder) {
  std::vector<std::uint8_t> buffer(kChunk);
  while (const std::size_t got = source.Read(buffer)) {
    const codec::Error error = coder.Feed(std::span(buffer.data(), got));
    if (error != codec::Error::kOk) {
      return error;
    }
  }
  return coder.Finish();
}

}  // namespace

bool WriterSink::Write(std::span<const std::uint8_t> bytes) {
  try {
    out_.Write(bytes);
    written += bytes.size();
    return true;
  } catch (const IoError& error) {
    detail = error.what();
    return false;
  }
}

PassResult CompressPass(Reader& source, const Compression& compression, Writer& out) {
  WriterSink sink(out);
  const std::unique_ptr<Compressor> compressor = MakeCompressor(sink, compression);
  const codec::Error error = Pump(source, *compressor);
  return {error, sink.detail, false, sink.written, compressor->Header()};
}

PassResult MeasurePass(Reader& source, const Compression& compression) {
  DiscardSink sink;
  const std::unique_ptr<Compressor> compressor = MakeCompressor(sink, compression);
  const codec::Error error = Pump(source, *compressor);
  return {error, {}, false, sink.written, {}};
}

PassResult CompressCheckedPass(Reader& source, const Compression& compression, Reader& original,
                               Writer& out) {
  CheckingSink sink(original, out);
  const std::unique_ptr<Compressor> compressor = MakeCompressor(sink, compression);
  codec::Error error = Pump(source, *compressor);
  if (error == codec::Error::kOk && !sink.Complete(original)) {
    error = codec::Error::kOutputFailed;
  }
  const WriterSink& written = sink.writer();
  if (sink.mismatch) {
    return {codec::Error::kOk, {}, true, written.written, {}};
  }
  return {error, written.detail, false, written.written, {}};
}

PassResult VerifyCompressed(Reader& compressed, Reader& original) {
  CompareSink sink(original);
  codec::Expander expander(sink);
  const codec::Error error = Pump(compressed, expander);
  if (sink.mismatch) {
    return {codec::Error::kOk, {}, true, 0, {}};
  }
  std::uint8_t extra = 0;
  const bool longer = error == codec::Error::kOk && original.Read(std::span(&extra, 1)) != 0;
  return {error, {}, longer, 0, {}};
}

PassResult ExpandPass(Reader& source, Writer& out) {
  WriterSink sink(out);
  codec::Expander expander(sink);
  const codec::Error error = Pump(source, expander);
  return {error, sink.detail, false, sink.written, {}};
}

PassResult CopyPass(Reader& source, Writer& out) {
  WriterSink sink(out);
  std::vector<std::uint8_t> buffer(kChunk);
  while (const std::size_t got = source.Read(buffer)) {
    if (!sink.Write(std::span(buffer.data(), got))) {
      return {codec::Error::kOutputFailed, sink.detail, false, sink.written, {}};
    }
  }
  return {codec::Error::kOk, {}, false, sink.written, {}};
}

Probe ProbeHeader(Reader& source) {
  Probe probe;
  std::vector<std::uint8_t> buffer(kChunk);
  std::size_t got = ReadFull(source, buffer);
  probe.format = codec::DetectFormat(std::span(buffer.data(), got));
  if (!probe.format) {
    if (codec::IsCutSignature(std::span(buffer.data(), got))) {
      probe.error = codec::Error::kTruncated;
      probe.detail = "le fichier s'arrête dans sa signature";
    }
    return probe;
  }
  // The header's optional fields may run past the first chunk: feed until it is known.
  DiscardSink sink;
  codec::Expander expander(sink);
  while (got != 0) {
    probe.error = expander.Feed(std::span(buffer.data(), got));
    if (probe.error != codec::Error::kOk) {
      return probe;
    }
    if (expander.header() != nullptr) {
      probe.header = *expander.header();
      return probe;
    }
    got = source.Read(buffer);
  }
  probe.error = expander.Finish();
  if (probe.error == codec::Error::kTruncated) {
    probe.detail = "le fichier s'arrête dans son en-tête";
  } else if (probe.error == codec::Error::kOk && expander.header() != nullptr) {
    probe.header = *expander.header();
  } else if (probe.error == codec::Error::kOk) {
    probe.error = codec::Error::kBadHeader;
  }
  return probe;
}

}  // namespace tools
