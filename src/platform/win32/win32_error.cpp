#include "platform/win32/win32_error.h"

#include "platform/failure_reasons.h"
#include "platform/platform_error.h"
#include "shared/utf.h"

namespace tassefiche {

std::string ToUtf8(std::wstring_view text) {
  return shared::WideToUtf8(text);
}

std::wstring FromUtf8(std::string_view text) {
  return shared::Utf8ToWide(text);
}

namespace {

FailureKind KindOf(DWORD error) {
  switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return FailureKind::kAlreadyExists;
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
      return FailureKind::kNotReady;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return FailureKind::kNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return FailureKind::kAccessDenied;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
      return FailureKind::kInvalidName;
    default:
      return FailureKind::kOther;
  }
}

// The system's text for an error in a language, without its final line break; empty when the
// system has none in that language.
std::wstring SystemDescription(DWORD error, DWORD language) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring description(buffer != nullptr ? buffer : L"", length);
  LocalFree(buffer);
  while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                  description.back() == L' ')) {
    description.pop_back();
  }
  return description;
}

}  // namespace

void ThrowWin32Error(std::string_view what, DWORD error) {
  const FailureKind kind = KindOf(error);
  // The user reads the reason in French: the system's own French text when it has one, else ours.
  std::wstring reason = SystemDescription(error, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
  if (reason.empty()) reason = FrenchReason(kind);
  throw PlatformError(std::string(what) + " : " + ToUtf8(SystemDescription(error, 0)) + " (" +
                          std::to_string(error) + ")",
                      kind, std::move(reason));
}

}  // namespace tassefiche
