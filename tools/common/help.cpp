#include "common/help.h"

#include "codec/codec.h"
#include "common/failure.h"

namespace tools {

std::string CommonHelp() {
  std::string text =
      "Les options s'écrivent avec « - » ou « / » (/R, /D, /?), en majuscules ou en\n"
      "minuscules ; « -- » termine les options (sous Linux, un fichier nommé « /R » se\n"
      "donne après « -- »).\n"
      "\n"
      "Sûreté : la source n'est jamais modifiée. Le résultat est écrit dans un fichier\n"
      "temporaire du dossier de destination et ne remplace la destination qu'une fois\n"
      "complet et vérifié : après un échec (données endommagées, disque plein, accès\n"
      "refusé, interruption), il ne reste rien, et une destination existante reste\n"
      "intacte.\n"
      "Une destination qui est une source de la commande (même sous un autre nom, un\n"
      "nom court 8.3, un chemin avec « .. » ou un lien) est refusée.\n"
      "\n"
      "Messages : en français sur la sortie d'erreur. Sous Windows, une console reçoit\n"
      "du texte Unicode ; une sortie redirigée (fichier, tube) reçoit de l'UTF-8.\n"
      "\n"
      "Codes de sortie (avec plusieurs fichiers : celui du premier échec ; les autres\n"
      "fichiers sont traités quand même) :\n"
      "   0  tout a été fait\n"
      "   1  ligne de commande incorrecte\n"
      "   2  source introuvable, illisible ou dossier, ou motif sans fichier\n"
      "   3  destination refusée (une source, un dossier, déjà écrite par la commande,\n"
      "      plusieurs sources sans dossier de destination)\n"
      "   4  erreur inattendue\n";
  for (int value = 1; value <= static_cast<int>(codec::Error::kOutputFailed); ++value) {
    const auto error = static_cast<codec::Error>(value);
    text += "  " + std::to_string(static_cast<int>(StatusFor(error))) + "  " +
            std::string(codec::ToText(error)) + "\n";
  }
  text += "  " + std::to_string(static_cast<int>(Status::kVerification)) +
          "  le fichier compressé ne redonne pas la source (vérification)\n";
  return text;
}

}  // namespace tools
