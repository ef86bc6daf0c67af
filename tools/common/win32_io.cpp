#include "common/win32_io.h"

#include <algorithm>

#include "common/failure.h"
#include "shared/utf.h"

namespace tools::win32 {

std::wstring Wide(const std::string& text) {
  return shared::Utf8ToWide(text);
}

std::string Narrow(const wchar_t* text) {
  return shared::WideToUtf8(text);
}

std::string Describe(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "fichier ou dossier introuvable";
    case ERROR_ACCESS_DENIED:
      return "accès refusé";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "fichier utilisé par un autre programme";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "disque plein";
    case ERROR_WRITE_PROTECT:
      return "support protégé en écriture";
    case ERROR_NOT_READY:
      return "lecteur non prêt";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return "nom invalide";
    case ERROR_FILENAME_EXCED_RANGE:
      return "nom trop long";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "mémoire insuffisante";
    case ERROR_CRC:
      return "erreur de lecture du support";
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
      return "connexion réseau perdue";
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_PARAMETER:
      return "opération que le système refuse pour cet élément";
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return "le programme qui lisait le tube s'est arrêté";
    case ERROR_INVALID_HANDLE:
      return "périphérique indisponible (pas de console ?)";
    case ERROR_PIPE_BUSY:
      return "tube occupé";
    case ERROR_DELETE_PENDING:
      return "fichier en cours de suppression";
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return "le fichier à remplacer ne peut pas être retiré (utilisé ou protégé)";
    default:
      return "erreur système " + std::to_string(error);
  }
}

void Fail(const std::string& what, const std::string& path, DWORD error) {
  throw IoError(what + " « " + path + " » : " + Describe(error));
}

std::size_t ReadSome(HANDLE handle, std::span<std::uint8_t> bytes, const Named& file) {
  DWORD got = 0;
  const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
  if (ReadFile(handle, bytes.data(), wanted, &got, nullptr) == 0) {
    Fail("lecture impossible " + file.in, file.path);
  }
  return got;
}

void WriteAll(HANDLE handle, std::span<const std::uint8_t> bytes, const Named& file) {
  while (!bytes.empty()) {
    DWORD done = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
    if (WriteFile(handle, bytes.data(), wanted, &done, nullptr) == 0) {
      Fail("écriture impossible " + file.in, file.path);
    }
    if (done == 0) {
      Fail("écriture impossible " + file.in, file.path, ERROR_DISK_FULL);
    }
    bytes = bytes.subspan(done);
  }
}

void Rewind(HANDLE handle, const Named& file) {
  if (SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_BEGIN) == 0) {
    Fail("retour au début impossible " + file.in, file.path);
  }
}

std::size_t ReadAt(HANDLE handle, std::uint64_t offset, std::span<std::uint8_t> bytes,
                   const Named& file) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    // On a handle opened for synchronous use, the offset is where this read starts.
    OVERLAPPED at{};
    const std::uint64_t where = offset + filled;
    at.Offset = static_cast<DWORD>(where);
    at.OffsetHigh = static_cast<DWORD>(where >> 32);
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1U << 30));
    if (ReadFile(handle, bytes.data() + filled, wanted, &got, &at) == 0) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      Fail("lecture impossible " + file.in, file.path);
    }
    if (got == 0) break;
    filled += got;
  }
  return filled;
}

void WriteAt(HANDLE handle, std::uint64_t offset, std::span<const std::uint8_t> bytes,
             const Named& file) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) == 0) {
    Fail("écriture impossible " + file.in, file.path);
  }
  WriteAll(handle, bytes, file);
  if (SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_END) == 0) {
    Fail("écriture impossible " + file.in, file.path);
  }
}

}  // namespace tools::win32
