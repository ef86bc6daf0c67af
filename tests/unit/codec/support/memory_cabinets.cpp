#include "support/memory_cabinets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace codec_test {

std::unique_ptr<codec::CabinetSource> MemoryOpener::Open(const std::string& name) {
  const auto found = cabinets.find(name);
  if (found == cabinets.end()) return nullptr;
  return std::make_unique<MemorySource>(found->second);
}

codec::ByteSink* RecordingTarget::Begin(std::size_t index) {
  outcomes[index].begun = true;
  sinks_[index].outcome = &outcomes[index];
  sinks_[index].refuse = index == refuse_writes_of;
  return &sinks_[index];
}

void RecordingTarget::End(std::size_t index, codec::Error error, const std::string& detail) {
  ++outcomes[index].ends;
  outcomes[index].error = error;
  outcomes[index].detail = detail;
}

bool RecordingTarget::Sink::Write(std::span<const std::uint8_t> bytes) {
  if (refuse) return false;
  outcome->bytes.insert(outcome->bytes.end(), bytes.begin(), bytes.end());
  return true;
}

Bytes WriteCabinet(const Bytes& data, const codec::CabinetCompression& compression,
                   const std::string& name) {
  codec::VectorSink sink;
  codec::CabinetWriter writer(sink, {name, data.size(), 0x5B89, 0x6000, 0x21}, compression);
  EXPECT_EQ(writer.Feed(data), codec::Error::kOk);
  EXPECT_EQ(writer.Finish(), codec::Error::kOk);
  const Bytes& header = writer.Header();
  EXPECT_EQ(writer.size(), sink.bytes.size());
  std::copy(header.begin(), header.end(), sink.bytes.begin());
  return sink.bytes;
}

OpenedSet ExtractAll(MemoryOpener& opener, const std::string& name) {
  OpenedSet opened;
  opened.set = std::make_unique<codec::CabinetSet>();
  auto first = opener.Open(name);
  if (first == nullptr) {
    opened.error = codec::Error::kNotCompressed;
    return opened;
  }
  opened.error = opened.set->Open(std::move(first), name, opener);
  if (opened.error != codec::Error::kOk) return opened;
  const auto& entries = opened.set->entries();
  RecordingTarget target(entries.size());
  opened.set->Extract(std::vector<bool>(entries.size(), true), target);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    opened.outcomes[entries[i].name] = target.outcomes[i];
  }
  return opened;
}

}  // namespace codec_test
