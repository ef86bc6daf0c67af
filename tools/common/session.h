// One run of a tool over its jobs: reports in French on the error stream, remembers the first
// failure's status, and guards every destination. A destination is refused when it is one of the
// run's sources or a file the run already wrote, compared by file identity, never by spelling.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/plan.h"

namespace tools {

class Session {
 public:
  Session(FileSystem& files, std::string_view tool_name);

  // Remembers the identities of every source of the plan, before anything is written.
  void ProtectSources(const Plan& plan);

  // Throws ToolError(kDestination) when `destination` may not be written; returns what is there.
  std::optional<FileInfo> CheckDestination(const std::string& destination);

  // Checks the destination once more, renames the finished temporary file over it and remembers it.
  void Commit(TemporaryFile& temporary, const std::string& destination);

  void Fail(Status status, std::string_view message);
  void Warn(std::string_view message);
  void Tell(std::string_view message);  // normal progress, on the output stream

  int ExitStatus() const { return static_cast<int>(status_); }

 private:
  FileSystem& files_;
  std::string tool_name_;
  std::vector<FileId> sources_;
  std::vector<FileId> written_;
  Status status_ = Status::kOk;
};

// Runs `work` for each job, turning its exceptions into failures of that job only.
template <typename Work>
void ForEachJob(Session& session, const Plan& plan, Work work) {
  for (const std::string& problem : plan.problems) {
    session.Fail(Status::kSource, problem);
  }
  for (const Job& job : plan.jobs) {
    try {
      work(job);
    } catch (const ToolError& error) {
      session.Fail(error.status(), error.what());
    }
  }
}

}  // namespace tools
