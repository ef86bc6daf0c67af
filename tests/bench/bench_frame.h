// What the bench programs share around their measurements: the command line read (its usage
// shown when wrong), problems said as they come and listed at the end, exceptions reported.
#pragma once

#include <cstdio>
#include <exception>
#include <string>
#include <variant>
#include <vector>

namespace bench {

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
