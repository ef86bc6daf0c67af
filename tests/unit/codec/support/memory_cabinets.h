// Cabinets in memory for the tests of CabinetSet: sources over byte vectors, an opener over a
// map of names, and a target that records what each entry got.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codec/codec.h"

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

// A cabinet source that keeps its own copy of the bytes.
class MemorySource final : public codec::CabinetSource {
 public:
  explicit MemorySource(Bytes bytes) : bytes_(std::move(bytes)), source_(bytes_) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    return source_.ReadAt(offset, out);
  }

 private:
  Bytes bytes_;
  codec::SpanCabinetSource source_;
};

class MemoryOpener final : public codec::CabinetOpener {
 public:
  std::map<std::string, Bytes> cabinets;
  std::unique_ptr<codec::CabinetSource> Open(const std::string& name) override;
};

struct Outcome {
  bool begun = false;
  int ends = 0;
  codec::Error error = codec::Error::kOk;
  std::string detail;
  Bytes bytes;
};

class RecordingTarget final : public codec::CabinetTarget {
 public:
  explicit RecordingTarget(std::size_t entries) : outcomes(entries), sinks_(entries) {}
  codec::ByteSink* Begin(std::size_t index) override;
  void End(std::size_t index, codec::Error error, const std::string& detail) override;

  std::vector<Outcome> outcomes;
  std::size_t refuse_writes_of = SIZE_MAX;  // an entry whose sink fails

 private:
  struct Sink final : codec::ByteSink {
    Outcome* outcome = nullptr;
    bool refuse = false;
    bool Write(std::span<const std::uint8_t> bytes) override;
  };
  std::vector<Sink> sinks_;
};

struct OpenedSet {
  codec::Error error = codec::Error::kOk;
  std::unique_ptr<codec::CabinetSet> set;
  // By entry name: what extracting every entry gave.
  std::map<std::string, Outcome> outcomes;
};

// Opens `name` from `opener` and extracts every entry.
OpenedSet ExtractAll(MemoryOpener& opener, const std::string& name);

// Writes `data` as a one-file cabinet dated 2025-12-09 12:00 with attributes 0x21, the header
// patched at the end as the tools do; a failure fails the test.
Bytes WriteCabinet(const Bytes& data, const codec::CabinetCompression& compression,
                   const std::string& name = "donnees.bin");

}  // namespace codec_test
