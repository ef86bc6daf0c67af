#include "common/file_system.h"

namespace tools {

const char* KindText(FileKind kind) {
  switch (kind) {
    case FileKind::kRegular:
      return "un fichier";
    case FileKind::kFolder:
      return "un dossier";
    case FileKind::kDevice:
      return "un périphérique";
    case FileKind::kPipe:
      return "un tube";
    case FileKind::kSocket:
      return "un socket";
    case FileKind::kDisk:
      return "un disque";
  }
  return "un élément inconnu";
}

}  // namespace tools
