#include "common/posix_io.h"

#include <unistd.h>

#include <cstring>

#include "common/failure.h"

namespace tools::posix {

std::string Describe(int error) {
  switch (error) {
    case ENOENT:
      return "fichier ou dossier introuvable";
    case ENOTDIR:
      return "un élément du chemin n'est pas un dossier";
    case EACCES:
    case EPERM:
      return "accès refusé";
    case EROFS:
      return "support en lecture seule";
    case ENOSPC:
      return "disque plein";
    case EDQUOT:
      return "quota de disque dépassé";
    case EFBIG:
      return "taille de fichier maximale dépassée";
    case EISDIR:
      return "c'est un dossier";
    case EIO:
      return "erreur d'entrée-sortie";
    case ENAMETOOLONG:
      return "nom trop long";
    case ELOOP:
      return "trop de liens symboliques";
    case EMFILE:
    case ENFILE:
      return "trop de fichiers ouverts";
    case ENOMEM:
      return "mémoire insuffisante";
    case EPIPE:
      return "le programme qui lisait le tube s'est arrêté";
    case ENXIO:
      return "périphérique absent, ou tube sans lecteur";
    case EXDEV:
      return "pas sur le même système de fichiers";
    default:
      return "erreur système " + std::to_string(error) + " (" + std::strerror(error) + ")";
  }
}

void Fail(const std::string& what, const std::string& path, int error) {
  throw IoError(what + " « " + path + " » : " + Describe(error));
}

std::size_t ReadSome(int fd, std::span<std::uint8_t> bytes, const Named& file) {
  while (true) {
    const ssize_t got = read(fd, bytes.data(), bytes.size());
    if (got >= 0) {
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      Fail("lecture impossible " + file.in, file.path);
    }
  }
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const Named& file) {
  while (!bytes.empty()) {
    const ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) {
      continue;
    }
    if (done <= 0) {
      Fail("écriture impossible " + file.in, file.path, done < 0 ? errno : ENOSPC);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(done));
  }
}

void Rewind(int fd, const Named& file) {
  if (lseek(fd, 0, SEEK_SET) != 0) {
    Fail("retour au début impossible " + file.in, file.path);
  }
}

std::size_t ReadAt(int fd, std::uint64_t offset, std::span<std::uint8_t> bytes, const Named& file) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = pread(fd, bytes.data() + filled, bytes.size() - filled,
                              static_cast<off_t>(offset + filled));
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail("lecture impossible " + file.in, file.path);
    }
    filled += static_cast<std::size_t>(got);
  }
  return filled;
}

void WriteAt(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes, const Named& file) {
  while (!bytes.empty()) {
    const ssize_t done = pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) Fail("écriture impossible " + file.in, file.path, done < 0 ? errno : ENOSPC);
    bytes = bytes.subspan(static_cast<std::size_t>(done));
    offset += static_cast<std::uint64_t>(done);
  }
}

}  // namespace tools::posix
