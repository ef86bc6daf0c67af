#include "support/run_tool.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace tools::testing_support {
namespace {

constexpr uid_t kNobody = 65534;

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return argv;
}

int StatusOf(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return -1;
}

// Drains both pipes until the child closes them.
void Collect(int out_fd, int err_fd, RunResult& result) {
  std::array<pollfd, 2> fds{pollfd{out_fd, POLLIN, 0}, pollfd{err_fd, POLLIN, 0}};
  std::array<std::string*, 2> into{&result.out, &result.err};
  int open_count = 2;
  std::array<char, 4096> buffer{};
  while (open_count > 0) {
    if (poll(fds.data(), fds.size(), -1) < 0) continue;
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = read(fds[i].fd, buffer.data(), buffer.size());
      if (got > 0) {
        into[i]->append(buffer.data(), static_cast<std::size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

}  // namespace

RunResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                  const RunOptions& options) {
  std::array<int, 2> out_pipe{};
  std::array<int, 2> err_pipe{};
  if (pipe(out_pipe.data()) != 0 || pipe(err_pipe.data()) != 0) throw std::runtime_error("pipe");
  std::vector<char*> argv = Argv(program, arguments);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out_pipe[1], STDOUT_FILENO);
    dup2(err_pipe[1], STDERR_FILENO);
    for (const int fd : {out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
      close(fd);
    if (options.file_size_limit >= 0) {
      const rlimit limit{static_cast<rlim_t>(options.file_size_limit),
                         static_cast<rlim_t>(options.file_size_limit)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (options.umask >= 0) umask(static_cast<mode_t>(options.umask));
    if (options.as_nobody && getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
      _exit(126);
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  RunResult result;
  Collect(out_pipe[0], err_pipe[0], result);
  int wait_status = 0;
  waitpid(pid, &wait_status, 0);
  result.status = StatusOf(wait_status);
  return result;
}

int StartTool(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv = Argv(program, arguments);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null_fd = open("/dev/null", O_WRONLY);
    dup2(null_fd, STDOUT_FILENO);
    dup2(null_fd, STDERR_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

int WaitTool(int pid) {
  int wait_status = 0;
  waitpid(pid, &wait_status, 0);
  return StatusOf(wait_status);
}

bool WaitUntilWritingIn(int pid, const std::string& folder) {
  const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
  const std::string prefix = std::filesystem::canonical(folder).string() + "/";
  for (int i = 0; i < 20000; ++i) {
    std::error_code ignored;
    for (const auto& fd : std::filesystem::directory_iterator(fds, ignored)) {
      const std::string target = std::filesystem::read_symlink(fd.path(), ignored).string();
      if (target.starts_with(prefix)) return true;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

}  // namespace tools::testing_support
