#include "process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace bench {
namespace {

// posix_spawn's file actions, released on every path out.
class FileActions {
 public:
  FileActions() { posix_spawn_file_actions_init(&actions_); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

std::string DescribeStatus(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "stopped";
}

}  // namespace

ProcessRun RunProcess(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments, const Redirections& redirections) {
  ProcessRun run;
  FileActions actions;
  const std::string input = redirections.input.value_or("/dev/null").string();
  const std::string output = redirections.output.value_or("/dev/null").string();
  posix_spawn_file_actions_addopen(actions.get(), 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(actions.get(), 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);

  std::string name = program.string();
  std::vector<std::string> words = arguments;
  std::vector<char*> argv{name.data()};
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, name.c_str(), actions.get(), nullptr, argv.data(), environ);
  if (spawned != 0) {
    run.failure = "cannot start " + name + ": " + std::strerror(spawned);
    return run;
  }
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      run.failure = "lost track of " + name + ": " + std::strerror(errno);
      return run;
    }
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  run.seconds = elapsed.count();
  run.peak_kib = usage.ru_maxrss;
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!run.succeeded) run.failure = name + " ended with " + DescribeStatus(status);
  return run;
}

}  // namespace bench
