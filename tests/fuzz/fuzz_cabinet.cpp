// The cabinet reader on any bytes: its directory, the links of its set (the other cabinets it
// names are the same bytes again, or missing), and the extraction of every entry, checked against
// what the reader promises: each chosen entry ends once, a complete one with exactly its size.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_input.h"

namespace {

// Every other cabinet of the set is these bytes again, or none is found.
class Echo final : public codec::CabinetOpener {
 public:
  Echo(std::span<const std::uint8_t> bytes, bool found) : bytes_(bytes), found_(found) {}
  std::unique_ptr<codec::CabinetSource> Open(const std::string&) override {
    if (!found_) return nullptr;
    return std::make_unique<codec::SpanCabinetSource>(bytes_);
  }

 private:
  std::span<const std::uint8_t> bytes_;
  bool found_;
};

class Counting final : public codec::CabinetTarget {
 public:
  explicit Counting(const std::vector<codec::CabinetEntry>& entries)
      : entries_(entries),
        written_(entries.size()),
        ends_(entries.size()),
        sinks_(entries.size()) {}
  codec::ByteSink* Begin(std::size_t index) override {
    codec_fuzz::Check(index < entries_.size() && ends_[index] == 0);
    sinks_[index].count = &written_[index];
    return &sinks_[index];
  }
  void End(std::size_t index, codec::Error error, const std::string&) override {
    codec_fuzz::Check(index < entries_.size() && ++ends_[index] == 1);
    if (error == codec::Error::kOk) codec_fuzz::Check(written_[index] == entries_[index].size);
  }
  void CheckAllEnded() const {
    codec_fuzz::Check(std::all_of(ends_.begin(), ends_.end(), [](int n) { return n == 1; }));
  }

 private:
  struct Sink final : codec::ByteSink {
    std::uint64_t* count = nullptr;
    bool Write(std::span<const std::uint8_t> bytes) override {
      *count += bytes.size();
      return true;
    }
  };
  const std::vector<codec::CabinetEntry>& entries_;
  std::vector<std::uint64_t> written_;
  std::vector<int> ends_;
  std::vector<Sink> sinks_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool others_found = (data[0] & 1) != 0;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);
  Echo opener(bytes, others_found);
  codec::CabinetSet set;
  if (set.Open(std::make_unique<codec::SpanCabinetSource>(bytes), "a.cab", opener) !=
      codec::Error::kOk)
    return 0;
  Counting target(set.entries());
  set.Extract(std::vector<bool>(set.entries().size(), true), target);
  target.CheckAllEnded();
  return 0;
}
