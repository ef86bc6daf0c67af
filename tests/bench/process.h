// Running a peer program end to end, as a user would, and timing it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct Redirections {
  std::optional<std::filesystem::path> input;   // standard input from this file
  std::optional<std::filesystem::path> output;  // standard output to this file (else discarded)
};

struct ProcessRun {
  bool succeeded = false;  // started and exited with status 0
  double seconds = 0;      // wall clock from start to exit
  long peak_kib = 0;       // its largest resident memory
  std::string failure;     // why it did not succeed
};

// program: a full path; arguments: without the program's name.
ProcessRun RunProcess(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const Redirections& redirections = {});

}  // namespace bench
