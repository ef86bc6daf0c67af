#include <cstdio>

#include "common/console.h"

namespace tools {
namespace {

void Put(std::FILE* stream, std::string_view text) {
  // Nowhere to report a failure to write a message.
  static_cast<void>(std::fwrite(text.data(), 1, text.size(), stream));
  static_cast<void>(std::fflush(stream));
}

}  // namespace

void WriteOut(std::string_view text) {
  Put(stdout, text);
}
void WriteError(std::string_view text) {
  Put(stderr, text);
}

}  // namespace tools
