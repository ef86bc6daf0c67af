// Destinations that are not regular files: a device or a pipe takes the output straight through
// and stays what it is; a folder, a socket or a disk is refused and stays what it is; a symbolic
// link is followed, and the file it leads to is replaced in its own folder.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <future>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

namespace fs = std::filesystem;

constexpr int kDestinationRefused = 3;
constexpr int kTruncated = 14;

mode_t TypeOf(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

class Destinations : public testing::Test {
 protected:
  Destinations() {
    fs::create_directory(dir_.path() / "in");
    fs::create_directory(dir_.path() / "out");
    WriteBytes(dir_ / "in/RAPPORT.TXT", original_);
    EXPECT_EQ(RunTool(kCompress, {"-R", dir_ / "in/RAPPORT.TXT", dir_ / "in"}).status, 0);
    packed_ = ReadBytes(dir_ / "in/RAPPORT.TX_");
  }

  // Runs `tool` into the pipe `fifo` while this thread reads it, until the tool has ended and the
  // pipe is drained; a tool that never opens the pipe cannot hang the test.
  std::pair<RunResult, Bytes> RunIntoPipe(const std::string& tool,
                                          const std::vector<std::string>& arguments,
                                          const std::string& fifo) {
    const int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_GE(fd, 0);
    auto run = std::async(std::launch::async, [&] { return RunTool(tool, arguments); });
    Bytes received;
    std::array<std::uint8_t, 4096> buffer{};
    bool ended = false;
    while (true) {
      pollfd waiting{fd, POLLIN, 0};
      poll(&waiting, 1, 50);
      const ssize_t got = read(fd, buffer.data(), buffer.size());
      if (got > 0) {
        received.insert(received.end(), buffer.begin(), buffer.begin() + got);
      } else if (ended) {
        break;  // the tool is gone and nothing is left in the pipe
      } else {
        ended = run.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
      }
    }
    close(fd);
    return {run.get(), received};
  }

  ScratchFolder dir_;
  const Bytes original_ = TextSample(10000);
  Bytes packed_;
};

TEST_F(Destinations, APipeTakesTheOutputStraightThrough) {
  const std::string fifo = dir_ / "out/tube";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  const auto [expanded, plain] = RunIntoPipe(kExpand, {dir_ / "in/RAPPORT.TX_", fifo}, fifo);
  EXPECT_EQ(expanded.status, 0) << expanded.err;
  EXPECT_EQ(plain, original_);

  const auto [compressed, packed] = RunIntoPipe(kCompress, {dir_ / "in/RAPPORT.TXT", fifo}, fifo);
  EXPECT_EQ(compressed.status, 0) << compressed.err;
  ASSERT_EQ(RunTool(kCompress, {dir_ / "in/RAPPORT.TXT", dir_ / "out/SAME.TX_"}).status, 0);
  EXPECT_EQ(packed, ReadBytes(dir_ / "out/SAME.TX_"));  // checked as it went, the same bytes

  EXPECT_EQ(TypeOf(fifo), S_IFIFO);
  EXPECT_EQ(dir_.Names("out"), (std::vector<std::string>{"SAME.TX_", "tube"}));
}

TEST_F(Destinations, ADamagedInputStopsThePipeWithTheError) {
  const std::string fifo = dir_ / "out/tube";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const Bytes cut(packed_.begin(), packed_.end() - 10);
  WriteBytes(dir_ / "in/CUT.TX_", cut);
  const auto [result, received] = RunIntoPipe(kExpand, {dir_ / "in/CUT.TX_", fifo}, fifo);
  EXPECT_EQ(result.status, kTruncated) << result.err;
  EXPECT_NE(result.err.find("« " + fifo + " »"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("destination inchangée"), std::string::npos) << result.err;
  EXPECT_LT(received.size(), original_.size());
  EXPECT_EQ(TypeOf(fifo), S_IFIFO);
}

TEST_F(Destinations, ADeviceTakesTheOutputAndStaysADevice) {
  const std::string device = dir_ / "out/null";  // the same device as /dev/null
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "cannot make a device node here (" << std::strerror(errno) << ")";
  }
  for (const auto& [tool, source] : {std::pair{kExpand, dir_ / "in/RAPPORT.TX_"},
                                     std::pair{kCompress, dir_ / "in/RAPPORT.TXT"}}) {
    const RunResult result = RunTool(tool, {source, device});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(TypeOf(device), S_IFCHR);
    EXPECT_EQ(dir_.Names("out"), std::vector<std::string>{"null"});
  }
}

TEST_F(Destinations, AFolderASocketOrADiskIsRefusedAndStaysAsItIs) {
  fs::create_directory(dir_.path() / "out/RAPPORT.TXT");  // where -R would put the file
  const std::string socket_path = dir_ / "out/prise";
  const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket_path.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  const std::string disk = dir_ / "out/disque";
  const bool have_disk = mknod(disk.c_str(), S_IFBLK | 0600, makedev(7, 200)) == 0;

  const struct {
    std::vector<std::string> arguments;
    std::string destination;
    const char* said;
    mode_t type;
  } cases[] = {
      {{"-R", dir_ / "in/RAPPORT.TX_", dir_ / "out"},
       dir_ / "out/RAPPORT.TXT",
       "est un dossier",
       S_IFDIR},
      {{dir_ / "in/RAPPORT.TX_", socket_path}, socket_path, "est un socket", S_IFSOCK},
      {{dir_ / "in/RAPPORT.TX_", disk}, disk, "est un disque", S_IFBLK},
  };
  for (const auto& c : cases) {
    if (c.type == S_IFBLK && !have_disk) continue;
    SCOPED_TRACE(c.destination);
    const RunResult result = RunTool(kExpand, c.arguments);
    EXPECT_EQ(result.status, kDestinationRefused);
    EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
    EXPECT_EQ(TypeOf(c.destination), c.type);
  }
  close(listening);
}

TEST_F(Destinations, ALinkIsFollowedAndItsFileReplacedInItsOwnFolder) {
  fs::create_directory(dir_.path() / "out/vrai");
  WriteBytes(dir_ / "out/vrai/RAPPORT.TXT", {'v', 'i', 'e', 'u', 'x'});
  const struct {
    const char* link;
    std::string target;
  } cases[] = {
      {"absolu", dir_ / "out/vrai/RAPPORT.TXT"},
      {"relatif", "vrai/RAPPORT.TXT"},
      {"chaine", "relatif"},  // a link to a link
  };
  for (const auto& c : cases) {
    fs::create_symlink(c.target, dir_.path() / "out" / c.link);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    WriteBytes(dir_ / "out/vrai/RAPPORT.TXT", {'v', 'i', 'e', 'u', 'x'});
    const RunResult result =
        RunTool(kExpand, {dir_ / "in/RAPPORT.TX_", dir_ / ("out/" + std::string(c.link))});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadBytes(dir_ / "out/vrai/RAPPORT.TXT"), original_);
    EXPECT_EQ(TypeOf(dir_ / ("out/" + std::string(c.link))), S_IFLNK);
    EXPECT_EQ(dir_.Names("out"), (std::vector<std::string>{"absolu", "chaine", "relatif", "vrai"}));
    EXPECT_EQ(dir_.Names("out/vrai"), std::vector<std::string>{"RAPPORT.TXT"});
  }
}

TEST_F(Destinations, ALinkThatLeadsNowhereIsRefused) {
  fs::create_symlink("absent/RAPPORT.TXT", dir_.path() / "out/perdu");
  const RunResult result = RunTool(kExpand, {dir_ / "in/RAPPORT.TX_", dir_ / "out/perdu"});
  EXPECT_EQ(result.status, kDestinationRefused);
  EXPECT_NE(result.err.find("n'existe pas"), std::string::npos) << result.err;
  EXPECT_EQ(TypeOf(dir_ / "out/perdu"), S_IFLNK);
  EXPECT_EQ(dir_.Names("out"), std::vector<std::string>{"perdu"});
}

}  // namespace
}  // namespace tools::testing_support
