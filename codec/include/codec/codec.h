// Portable library for the single-file compressed formats of setup disks: SZDD (and its QBasic
// variant) and KWAJ. No file system, no globals, and no threads but the workers an encoder
// documents (the cabinets' MSZIP encoder): bytes go in through Feed(), come out through a
// ByteSink, and every entry point reports its outcome as an Error.
//
// Contract shared by every function and class here: no input, however damaged, makes the library
// read or write outside the buffers it was given, and no input makes it allocate more than the
// fixed amount each class documents. A class that has returned an error keeps returning it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace codec {

enum class Error : std::uint8_t {
  kOk = 0,
  kNotCompressed,   // the input carries none of the known signatures
  kBadHeader,       // the header holds impossible values
  kUnknownMethod,   // an SZDD mode other than 'A', or a KWAJ method above 4
  kTruncated,       // the file ends inside its header, inside an item, or before the header's
                    // length is reached
  kLengthMismatch,  // the data gives more bytes than the header says, or the input is not the
                    // length the compressor was told
  kCorruptData,     // impossible coded data (Huffman or DEFLATE stream, block framing)
  kTooLarge,        // the input exceeds what the format can describe (4 GiB - 1 for SZDD)
  kOutputFailed,    // the sink refused bytes (disk full, access refused)
};

// A short French sentence describing the error, in UTF-8, for the tools' messages.
std::string_view ToText(Error error);

// Where decoded or encoded bytes go. Write() returns false when it could not take them; the coder
// then stops and reports kOutputFailed.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};

// A sink that appends to a vector (tests, fuzzers, benchmarks).
class VectorSink final : public ByteSink {
 public:
  bool Write(std::span<const std::uint8_t> chunk) override;
  std::vector<std::uint8_t> bytes;
};

enum class Format : std::uint8_t { kSzdd, kSzddQBasic, kKwaj };

// Largest original length that an SZDD header can hold.
inline constexpr std::uint64_t kSzddMaxLength = 0xFFFFFFFFu;

// Which format the first bytes of a file announce. Needs at most kSignatureLength bytes; fewer
// bytes (a short file) give std::nullopt unless they already hold a whole signature.
inline constexpr std::size_t kSignatureLength = 8;
std::optional<Format> DetectFormat(std::span<const std::uint8_t> prefix);

// Whether a whole file ends inside a signature: it has at least kCutSignatureLength bytes, fewer
// than kSignatureLength, and all of them are the start of a known signature. Such a file is a
// compressed file cut short. Fewer bytes are too common a start of plain text to say so.
inline constexpr std::size_t kCutSignatureLength = 4;
bool IsCutSignature(std::span<const std::uint8_t> file);

// What the header of a compressed file says, known once the header has been read.
struct Header {
  Format format = Format::kSzdd;
  std::optional<std::uint32_t> length;  // original length, when the header carries it
  char lost_char = 0;                   // SZDD: the character the name lost (0 = unknown)
  std::uint16_t kwaj_method = 0;        // KWAJ: 0..4
  std::string kwaj_name;                // KWAJ: original name without extension, if stored
  std::string kwaj_extension;           // KWAJ: original extension, if stored
};

// Streaming SZDD compressor with the smallest output the format allows (an exact shortest-path
// parse over the exact longest matches, window spaces and overlapping matches included). The
// original length goes into the header, so it must be known up front; Finish() reports
// kLengthMismatch if the bytes fed differ from it.
//
// Memory is bounded and independent of the input's length: about 5 MiB for inputs of 512 KiB and
// more, less for smaller ones. Items are written as soon as every cheapest parse agrees on them.
// The output is exactly minimal whenever that agreement comes within 512 Ki positions; no bounded
// encoder can promise it for every input, since two parses may stay open over a whole zero run
// until its end decides. Where the undecided stretch grows past that, the encoder decides itself
// at a cost of at most 19 bits (under 3 bytes) per 512 Ki positions.
//
// Feed() and Finish() return kOk, kTooLarge (length above kSzddMaxLength, before anything is
// written), kLengthMismatch (more bytes fed than announced, or fewer at Finish()), or
// kOutputFailed (the sink refused bytes).
class SzddCompressor {
 public:
  // length: the original file's length (kTooLarge from the first call if above kSzddMaxLength).
  // lost_char: the character stored in the header for renaming (0 when not renaming).
  SzddCompressor(ByteSink& sink, std::uint64_t length, char lost_char);
  ~SzddCompressor();
  SzddCompressor(const SzddCompressor&) = delete;
  SzddCompressor& operator=(const SzddCompressor&) = delete;

  Error Feed(std::span<const std::uint8_t> bytes);
  Error Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Streaming expander for every format above, detected by content. Memory is bounded: the largest
// window is DEFLATE's 32 KiB plus zlib's own state, a KWAJ header (at most 64 KiB) is held until
// complete, and output goes to the sink in chunks of at most 64 KiB.
//
// Errors: kNotCompressed (no signature, or fewer than kCutSignatureLength bytes of one), kBadHeader
// (impossible header, such as KWAJ data starting inside its own fields), kUnknownMethod (SZDD mode
// other than 'A', KWAJ method above 4), kTruncated (input ending inside the header, from the
// kCutSignatureLength-th byte of the signature on, inside an item or block, or short of the
// announced length),
// kLengthMismatch (more bytes than announced, or input fed after Finish()), kCorruptData
// (impossible Huffman or DEFLATE data, MS-ZIP framing), kOutputFailed (the sink refused bytes).
// After an error the sink may hold part of the output; it is the caller's to discard.
class Expander {
 public:
  explicit Expander(ByteSink& sink);
  ~Expander();
  Expander(const Expander&) = delete;
  Expander& operator=(const Expander&) = delete;

  // Feeds the next chunk of the compressed file; chunks may be of any size, down to one byte.
  Error Feed(std::span<const std::uint8_t> bytes);
  // Ends the input: checks that the data ended cleanly and gave exactly the header's length.
  Error Finish();
  // The header, once enough input has been fed to read it (else nullptr).
  const Header* header() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Whole-buffer conveniences over the classes above; `output` receives what was produced, even
// on error, and `header` (when not null) the header once read.
Error CompressSzdd(std::span<const std::uint8_t> input, char lost_char,
                   std::vector<std::uint8_t>& output);
Error Expand(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
             Header* header = nullptr);

}  // namespace codec
