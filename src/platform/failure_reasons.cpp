#include "platform/failure_reasons.h"

namespace tassefiche {

std::wstring_view FrenchReason(FailureKind kind) {
  switch (kind) {
    case FailureKind::kAlreadyExists:
      return L"Impossible de créer un fichier déjà existant.";
    case FailureKind::kNotReady:
      return L"Le périphérique n'est pas prêt.";
    case FailureKind::kNotFound:
      return L"Le chemin d'accès spécifié est introuvable.";
    case FailureKind::kAccessDenied:
      return L"Accès refusé.";
    case FailureKind::kInvalidName:
      return L"La syntaxe du nom de fichier, de répertoire ou de volume est incorrecte.";
    case FailureKind::kOther:
      break;
  }
  return {};
}

}  // namespace tassefiche
