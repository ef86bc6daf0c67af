// POSIX calls as the file system layer uses them: failures become IoError with French words for
// the usual reasons, and reads and writes go on after signals.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tools::posix {

std::string Describe(int error);
[[noreturn]] void Fail(const std::string& what, const std::string& path, int error = errno);

// How a file is named in messages: "dans « path »", or what the caller says of it.
struct Named {
  std::string path;
  std::string in = "dans";  // "écriture impossible <in> « <path> »"
};

// What is there, up to bytes.size(); 0 at the end.
std::size_t ReadSome(int fd, std::span<std::uint8_t> bytes, const Named& file);
void WriteAll(int fd, std::span<const std::uint8_t> bytes, const Named& file);
void Rewind(int fd, const Named& file);
std::size_t ReadAt(int fd, std::uint64_t offset, std::span<std::uint8_t> bytes, const Named& file);
void WriteAt(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes, const Named& file);

}  // namespace tools::posix
