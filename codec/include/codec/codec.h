// Portable library for the compressed files of setup media: the single-file formats SZDD (and its
// QBasic variant) and KWAJ, and cabinets (stored, MSZIP, Quantum, LZX). No file system, no
// globals, and no threads but the workers an encoder documents: bytes go in through Feed() or a
// CabinetSource, come out through a ByteSink, and every entry point reports its outcome as an
// Error.
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
  kMissingPart,     // a cabinet of the set that the data runs into is missing, or of another set
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

// kCabinet: a cabinet of one file in one folder, its records before its data (the layout that
// CabinetWriter makes), as the Expander reads it; any cabinet is read whole by CabinetSet.
enum class Format : std::uint8_t { kSzdd, kSzddQBasic, kKwaj, kCabinet };

// Largest original length that an SZDD header can hold.
inline constexpr std::uint64_t kSzddMaxLength = 0xFFFFFFFFu;

// Which format the first bytes of a file announce. Needs at most kSignatureLength bytes; fewer
// bytes (a short file) give std::nullopt unless they already hold a whole signature (a cabinet's
// has four bytes).
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
  std::string cabinet_name;             // cabinet: the file's stored name (UTF-8)
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

// Streaming expander for every format above, detected by content, and for a cabinet of one file in
// one folder whose records come before its data (as CabinetWriter writes them). Memory is bounded:
// for SZDD and KWAJ the largest window is DEFLATE's 32 KiB plus zlib's own state, and a KWAJ header
// (at most 64 KiB) is held until complete; for a cabinet, its records (as CabinetSet's below), a
// data block and the method's window (at most 2 MiB). Output goes to the sink in chunks of at most
// 64 KiB.
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

// ---------------------------------------------------------------------------------------------
// Cabinets: archives of files (signature "MSCF"), whose data is kept in folders, each folder one
// stream compressed by one method and cut into data blocks of at most 32 KiB once expanded. A set
// of cabinets may carry a folder on from one cabinet into the next, which the header names.

// Whether the first bytes of a file are a cabinet's signature (needs kCabinetSignatureLength).
inline constexpr std::size_t kCabinetSignatureLength = 4;
bool IsCabinet(std::span<const std::uint8_t> prefix);

enum class CabinetMethod : std::uint8_t { kStored, kMsZip, kQuantum, kLzx };

// Random access to one cabinet file. Read failures may be thrown by ReadAt(); they pass through
// the library, which leaves its objects unusable but holds no resource beyond their lifetime.
class CabinetSource {
 public:
  virtual ~CabinetSource() = default;
  // Fills `bytes` from `offset`; returns how many there were (fewer only at the end of the file).
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) = 0;
};

// A cabinet already in memory (tests, fuzzers, the expander's head of a cabinet).
class SpanCabinetSource final : public CabinetSource {
 public:
  explicit SpanCabinetSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

// Opens the other cabinets of a set by the names their neighbours' headers give them.
class CabinetOpener {
 public:
  virtual ~CabinetOpener() = default;
  // The cabinet named `name`, or null when there is none.
  virtual std::unique_ptr<CabinetSource> Open(const std::string& name) = 0;
};

// One file of a set, as its cabinets describe it.
struct CabinetEntry {
  std::string name;  // UTF-8 (flagged, or else code page 850 unless valid UTF-8), folders as
                     // stored, separated by '\\' or '/'
  std::uint32_t size = 0;
  std::uint16_t dos_date = 0;    // bits 15-9 year - 1980, 8-5 month, 4-0 day
  std::uint16_t dos_time = 0;    // bits 15-11 hours, 10-5 minutes, 4-0 seconds / 2
  std::uint16_t attributes = 0;  // read-only 0x01, hidden 0x02, system 0x04, archive 0x20
  CabinetMethod method = CabinetMethod::kStored;
  unsigned window_bits = 0;    // LZX and Quantum
  unsigned quantum_level = 0;  // Quantum
  std::string cabinet;         // the cabinet of the set whose list holds it first
  // Why the entry cannot be extracted, known from the directories alone (a part of the set that
  // its data needs is missing, or it lies outside its folder): kOk when it can be tried.
  Error problem = Error::kOk;
  std::string problem_detail;
};

// Where extracted entries go.
class CabinetTarget {
 public:
  virtual ~CabinetTarget() = default;
  // The decoding has reached entry `index`'s data: where its bytes go. Null skips the entry, and
  // End() is not called for it.
  virtual ByteSink* Begin(std::size_t index) = 0;
  // Called once for every chosen entry: kOk when all its bytes went to its sink, checksums and
  // sizes checked; else the error (a sink given by Begin() may hold part of the entry) and a
  // French detail, possibly empty.
  virtual void End(std::size_t index, Error error, const std::string& detail) = 0;
};

// A cabinet with the cabinets of its set that it leads to, read through their directories.
// Memory: the directories (at most 65,535 folder and file records per cabinet, names of at most
// 256 bytes), then during Extract() two data blocks of at most 38 KiB, a read buffer of 256 KiB
// and the method's state: MSZIP its 32 KiB history and 24 KiB of decoding tables, Quantum and LZX
// their window (at most 2 MiB) and tables.
class CabinetSet {
 public:
  CabinetSet();
  ~CabinetSet();
  CabinetSet(const CabinetSet&) = delete;
  CabinetSet& operator=(const CabinetSet&) = delete;

  // Reads the directory of `first`, named `first_name`, then of the cabinets that the set's data
  // runs into: the previous ones that its first files come from, and every next one, as far as
  // they can be found. Errors: kNotCompressed (no cabinet signature), kTruncated, kBadHeader
  // (impossible header or records in `first`); a missing or mismatched other part is no error
  // here: the entries that need it carry kMissingPart.
  Error Open(std::unique_ptr<CabinetSource> first, const std::string& first_name,
             CabinetOpener& opener);

  // Every file of `first` and of the cabinets after it, each once, in the order of their data.
  const std::vector<CabinetEntry>& entries() const;
  // Parts of the set that were looked for and not used, with why, in French.
  const std::vector<std::string>& notes() const;

  // Extracts the entries whose `chosen` flag is set (one flag per entry), decoding only the
  // folders that hold them. Damage in a folder refuses every chosen entry not yet complete in it;
  // the other folders go on.
  void Extract(const std::vector<bool>& chosen, CabinetTarget& target);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// What a cabinet written by CabinetWriter says of its one file.
struct CabinetFileInfo {
  std::string name;  // UTF-8, without folders; flagged as UTF-8 in the cabinet when not ASCII
  std::uint64_t size = 0;
  std::uint16_t dos_date = 0;
  std::uint16_t dos_time = 0;
  std::uint16_t attributes = 0;  // read-only 0x01, hidden 0x02, system 0x04, archive 0x20
};

struct CabinetCompression {
  CabinetMethod method = CabinetMethod::kMsZip;  // kMsZip or kLzx
  unsigned window_bits = 21;                     // LZX: 15 to 21
  unsigned threads = 0;                          // coding threads; 0: one per core
};

// Largest file a cabinet holds: one folder has at most 65,535 data blocks of 32 KiB.
inline constexpr std::uint64_t kCabinetMaxFileSize = std::uint64_t{65535} * 32768;

// Writes a cabinet that holds one file in one folder, compressed with MSZIP or LZX, a checksum on
// every data block; its output is the same whatever the number of threads. The header comes
// first and holds the cabinet's size, known only at the end: given `cabinet_size` (from a first
// pass), the header is right from the start; otherwise the caller writes Header() over the first
// Header().size() bytes once Finish() has succeeded.
//
// Errors: kTooLarge (a file above kCabinetMaxFileSize, or a cabinet above 4 GiB - 1, before
// anything is written for the first), kLengthMismatch (other than `file.size` bytes fed),
// kUnknownMethod (a method or window this writer does not write), kOutputFailed.
// Memory: that of the method's encoder (documented with it), at most 256 MiB.
class CabinetWriter {
 public:
  CabinetWriter(ByteSink& sink, const CabinetFileInfo& file, const CabinetCompression& compression,
                std::optional<std::uint32_t> cabinet_size = std::nullopt);
  ~CabinetWriter();
  CabinetWriter(const CabinetWriter&) = delete;
  CabinetWriter& operator=(const CabinetWriter&) = delete;

  Error Feed(std::span<const std::uint8_t> bytes);
  Error Finish();
  const std::vector<std::uint8_t>& Header() const;
  std::uint64_t size() const;  // bytes given to the sink so far

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
