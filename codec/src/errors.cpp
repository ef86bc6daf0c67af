#include "codec/codec.h"

namespace codec {

std::string_view ToText(Error error) {
  switch (error) {
    case Error::kOk:
      return "aucune erreur";
    case Error::kNotCompressed:
      return "le fichier n'est pas compressé";
    case Error::kBadHeader:
      return "en-tête incomplet ou invalide";
    case Error::kUnknownMethod:
      return "méthode de compression inconnue";
    case Error::kTruncated:
      return "données compressées tronquées";
    case Error::kLengthMismatch:
      return "longueur différente de celle annoncée";
    case Error::kCorruptData:
      return "données compressées endommagées";
    case Error::kTooLarge:
      return "fichier trop grand pour ce format";
    case Error::kOutputFailed:
      return "écriture impossible";
    case Error::kMissingPart:
      return "partie manquante d'un ensemble de cabinets";
  }
  return "erreur inconnue";
}

}  // namespace codec
