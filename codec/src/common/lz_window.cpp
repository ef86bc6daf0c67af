#include "common/lz_window.h"

#include <algorithm>
#include <span>

namespace codec {

LzWindow::LzWindow(CheckedOutput& out, std::uint32_t start)
    : out_(out), ring_base_(start - kWindowSize), buffer_(kFlushAt + kSpare, kWindowFill) {}

Error LzWindow::Flush() {
  const std::size_t fresh = write_ - kWindowSize;
  if (fresh == 0) return Error::kOk;
  if (const Error e = out_.Write(std::span(buffer_).subspan(kWindowSize, fresh)); e != Error::kOk) {
    return e;
  }
  flushed_ += fresh;
  ring_base_ += static_cast<std::uint32_t>(fresh);
  std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(write_ - kWindowSize),
            buffer_.begin() + static_cast<std::ptrdiff_t>(write_), buffer_.begin());
  write_ = kWindowSize;
  return Error::kOk;
}

}  // namespace codec
