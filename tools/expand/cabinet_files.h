// The cabinets of a set as files: the one named on the command line, and the others of its set,
// looked for in its folder by the names the headers give, without regard to case.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "common/file_system.h"

namespace tools {

class FileCabinetSource final : public codec::CabinetSource {
 public:
  explicit FileCabinetSource(std::unique_ptr<InputFile> file) : file_(std::move(file)) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) override {
    return file_->ReadAt(offset, bytes);
  }

 private:
  std::unique_ptr<InputFile> file_;
};

class SiblingCabinets final : public codec::CabinetOpener {
 public:
  SiblingCabinets(FileSystem& files, std::string folder)
      : files_(files), folder_(std::move(folder)) {}

  // Only the last part of `name` counts: a header cannot send us to another folder.
  std::unique_ptr<codec::CabinetSource> Open(const std::string& name) override;

  // The identities of the cabinets opened, so that none is overwritten or read twice.
  const std::vector<FileId>& opened() const { return opened_; }
  // Why cabinets that were found could not be opened.
  const std::vector<std::string>& failures() const { return failures_; }

 private:
  FileSystem& files_;
  std::string folder_;
  std::vector<FileId> opened_;
  std::vector<std::string> failures_;
};

}  // namespace tools
