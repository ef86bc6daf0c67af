// Which files go where, decided from the command line before anything is written.
//
// The last name is the destination. It is a folder when it names an existing folder (or ends with
// a separator, in which case the folder must exist); several sources, or a pattern, need one.
// EXPAND with -R or -D may leave the destination out: the last name then counts as the destination
// only when it is an existing folder, and each file stays in its own folder.
// Patterns (`*`, `?`) in the last component of a source are expanded here, whatever the platform,
// since the tools receive them unexpanded; on Linux a name that exists as it is is taken literally.
#pragma once

#include <string>
#include <vector>

#include "common/arguments.h"
#include "common/file_system.h"
#include "common/paths.h"

namespace tools {

enum class Tool { kCompress, kExpand };

struct Job {
  std::string source;
  std::string destination;   // the output file, or the folder that receives it
  bool into_folder = false;  // the tool names the output (renamed, restored or kept)
};

struct Plan {
  std::vector<Job> jobs;
  std::vector<std::string> problems;  // sources that gave no file (reported; the run fails)
};

// Throws ToolError on a wrong command line or an unusable destination (nothing done yet).
Plan MakePlan(const Arguments& arguments, Tool tool, FileSystem& files,
              PathStyle style = kNativeStyle);

}  // namespace tools
