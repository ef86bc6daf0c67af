// One run of a tool over its jobs: reports in French on the error stream, remembers the first
// failure's status, and guards every destination. A destination is refused when it is one of the
// run's sources or a file the run already wrote, compared by file identity, never by spelling; when
// it is a folder, a socket or a disk; and when it is a file the user may not write. A device or a
// pipe takes the output straight through. A symbolic link is followed: the file it leads to is
// replaced, in its own folder.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/arguments.h"
#include "common/console.h"
#include "common/failure.h"
#include "common/file_system.h"
#include "common/plan.h"

namespace tools {

// Where a job's output goes, once checked.
struct Target {
  std::string path;                  // the file to write: the destination, or where its link leads
  std::optional<FileInfo> existing;  // what is there now
  bool stream() const { return existing && IsStream(existing->kind); }
};

class Session {
 public:
  Session(FileSystem& files, std::string_view tool_name);

  // Remembers the identities of every source of the plan, before anything is written.
  void ProtectSources(const Plan& plan);
  // Remembers one more file read by the run (another cabinet of a set).
  void ProtectSource(const FileId& id);

  // Throws ToolError(kDestination) when `destination` may not be written.
  Target CheckDestination(const std::string& destination);

  // Checks the destination once more, puts the finished temporary file in its place and remembers
  // it. Failures keep the destination as it was.
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

// The end of a failure's message: what it left at the target. A device or a pipe has taken
// `streamed` bytes already; a file was left as it was, or was never made.
std::string LeftBehind(const Target& target, std::uint64_t streamed);

// A whole run of a tool: its help when asked for; else the plan of its jobs, each done by
// `work(job, arguments, session)`, a failure ending that job only. Returns the exit status.
// Refuses the options of the other tool (ToolError, kUsage).
void CheckOptionsFor(Tool tool, const Arguments& arguments);

template <typename Help, typename Work>
int RunTool(std::span<const std::string> words, FileSystem& files, Tool tool,
            std::string_view tool_name, Help help, Work work) {
  const Arguments arguments = ParseArguments(words);
  CheckOptionsFor(tool, arguments);
  if (arguments.help) {
    WriteOut(help());
    return 0;
  }
  const Plan plan = MakePlan(arguments, tool, files);
  Session session(files, tool_name);
  session.ProtectSources(plan);
  for (const std::string& problem : plan.problems) {
    session.Fail(Status::kSource, problem);
  }
  for (const Job& job : plan.jobs) {
    try {
      work(job, arguments, session);
    } catch (const ToolError& error) {
      session.Fail(error.status(), error.what());
    }
  }
  return session.ExitStatus();
}

}  // namespace tools
