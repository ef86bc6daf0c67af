// What the bench programs share around their measurements: the command line read (its usage
// shown when wrong), problems said as they come and listed at the end, exceptions reported.
#pragma once

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "file_io.h"

namespace bench {

// Starts a file's result: its name and size, and its bytes (nothing, and a problem said, when it
// cannot be read).
template <typename Result>
std::optional<std::vector<std::uint8_t>> ReadFor(const std::filesystem::path& path,
                                                 Result& result) {
  result.name = path.filename().string();
  auto data = ReadWholeFile(path);
  if (!data) {
    result.problems.push_back("cannot read " + path.string());
  } else {
    result.size = data->size();
  }
  return data;
}

// Says a file's problems at once, so that a long run shows a fault as soon as it is found.
template <typename Result>
void SayProblems(const Result& result) {
  for (const std::string& problem : result.problems)
    std::fprintf(stderr, "*** %s: %s\n", result.name.c_str(), problem.c_str());
}

// Lists every problem after the tables; true when there was any.
template <typename Result>
bool ListProblems(const std::vector<Result>& results) {
  bool failed = false;
  for (const Result& result : results) {
    for (const std::string& problem : result.problems) {
      if (!failed) std::printf("\n*** FAILED:\n");
      failed = true;
      std::printf("*** %s: %s\n", result.name.c_str(), problem.c_str());
    }
  }
  return failed;
}

// parse: arguments -> std::variant<Options, std::string> (the options, or what is wrong);
// run: Options -> exit status.
template <typename Parse, typename Run>
int BenchMain(int argc, char** argv, const char* program, const char* usage, Parse parse, Run run) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto parsed = parse(arguments);
  if (const auto* message = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "%s: %s\n%s", program, message->c_str(), usage);
    return 2;
  }
  try {
    return run(std::get<0>(parsed));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", program, error.what());
    return 1;
  }
}

}  // namespace bench
