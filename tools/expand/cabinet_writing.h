// Where the files of a cabinet go once planned: each one's temporary file (or device) made when
// the decoding reaches it, committed when it is complete, dated and given its attributes; the
// folders its stored name needs made on the way, never through a link, and taken away again at
// the end if nothing came into them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "common/file_system.h"
#include "common/passes.h"
#include "common/session.h"

namespace tools {

struct PlannedFile {
  std::string path;                  // where it is written
  std::vector<std::string> folders;  // the folders to make first, outermost first
};

class CabinetWriting final : public codec::CabinetTarget {
 public:
  CabinetWriting(FileSystem& files, Session& session, std::string source,
                 const std::vector<codec::CabinetEntry>& entries,
                 std::map<std::size_t, PlannedFile> planned, bool single);
  ~CabinetWriting() override;
  CabinetWriting(const CabinetWriting&) = delete;
  CabinetWriting& operator=(const CabinetWriting&) = delete;

  codec::ByteSink* Begin(std::size_t index) override;
  void End(std::size_t index, codec::Error error, const std::string& detail) override;

 private:
  struct Output {
    Target target;
    std::unique_ptr<TemporaryFile> temporary;
    std::unique_ptr<Writer> stream;
    std::unique_ptr<WriterSink> sink;
  };

  void MakeFolders(const PlannedFile& planned);
  void Finish(std::size_t index, Output& output);
  // "« SOURCE » : « NAME » : " or, for a cabinet of one file, "« SOURCE » : ".
  std::string Subject(std::size_t index) const;

  FileSystem& files_;
  Session& session_;
  std::string source_;
  const std::vector<codec::CabinetEntry>& entries_;
  std::map<std::size_t, PlannedFile> planned_;
  bool single_;
  std::map<std::size_t, Output> open_;
  std::vector<std::string> made_folders_;
};

}  // namespace tools
