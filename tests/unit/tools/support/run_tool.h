// Runs a tool binary without a shell (so that patterns reach it unexpanded) and collects its
// output, status and, on request, runs it as an unprivileged user or with a file size limit.
#pragma once

#include <string>
#include <vector>

namespace tools::testing_support {

struct RunOptions {
  bool as_nobody = false;     // drop root privileges, so that permissions apply to the tool
  long file_size_limit = -1;  // bytes: writes beyond fail as on a full disk
  int umask = -1;             // the tool's umask, when set
};

struct RunResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

RunResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                  const RunOptions& options = {});

// Starts the tool and returns its process id; its output goes nowhere.
int StartTool(const std::string& program, const std::vector<std::string>& arguments);
int WaitTool(int pid);
// Whether the running process `pid` has a file open in `folder` (named or not), within about
// four seconds.
bool WaitUntilWritingIn(int pid, const std::string& folder);

}  // namespace tools::testing_support
