// One pass of bytes from a reader through the codec to a writer, in chunks, so that no file is ever
// held in memory whole. Reading failures throw IoError; writing failures come back as
// kOutputFailed with the file system's message in `detail`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "common/arguments.h"
#include "common/file_system.h"

namespace tools {

struct PassResult {
  codec::Error error = codec::Error::kOk;
  std::string detail;     // why the output failed, when it did
  bool mismatch = false;  // VerifyCompressed: the bytes differ from the original's
  std::uint64_t written = 0;
  // A cabinet's header, final only at the end: to be written again over the output's start.
  std::vector<std::uint8_t> header;
};

// What COMPRESS makes of one source: an SZDD file, or a cabinet that holds it.
struct Compression {
  Container container = Container::kSzdd;
  std::uint64_t length = 0;
  char lost_char = 0;              // SZDD: the character the name lost
  codec::CabinetFileInfo cabinet;  // a cabinet's one file (its length is `length`)
  unsigned window_bits = 21;       // LZX
  // The cabinet's whole size, when a first pass has told it: the header is then right at once.
  std::optional<std::uint32_t> cabinet_size;
};

// A codec sink over a writer: the writer's failure becomes a refusal, its message kept.
class WriterSink final : public codec::ByteSink {
 public:
  explicit WriterSink(Writer& out) : out_(out) {}
  bool Write(std::span<const std::uint8_t> bytes) override;
  std::string detail;
  std::uint64_t written = 0;

 private:
  Writer& out_;
};

PassResult CompressPass(Reader& source, const Compression& compression, Writer& out);
// The same, for an output that cannot be read back (a device, a pipe): each chunk of output is
// expanded and compared with `original`, the source read a second time, before it is written.
// A difference stops the pass with `mismatch` set. A cabinet needs its `cabinet_size`.
PassResult CompressCheckedPass(Reader& source, const Compression& compression, Reader& original,
                               Writer& out);
// Compresses without writing anything, to know the size of the result (`written`).
PassResult MeasurePass(Reader& source, const Compression& compression);
// Whether `compressed` expands to exactly the bytes of `original`, to its end.
PassResult VerifyCompressed(Reader& compressed, Reader& original);
PassResult ExpandPass(Reader& source, Writer& out);
PassResult CopyPass(Reader& source, Writer& out);

// What the start of a file says: its format (none when it carries no known signature) and, for a
// compressed file, its header or the error met while reading it. A file that ends inside a
// signature, from its fourth byte on, is a compressed file cut short: kTruncated.
struct Probe {
  std::optional<codec::Format> format;
  codec::Header header;
  codec::Error error = codec::Error::kOk;
  std::string detail;  // where a truncated file ends
};
Probe ProbeHeader(Reader& source);

}  // namespace tools
