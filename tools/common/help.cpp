#include "common/help.h"

#include "codec/codec.h"
#include "common/failure.h"

namespace tools {

namespace {

// What an interruption may leave, and where: the platform's own way of writing the output.
#ifdef _WIN32
constexpr const char* kInterruptionHelp =
    "Interruption : pendant l'écriture, le fichier temporaire ~TFxxxxx.TMP du\n"
    "dossier de destination est marqué pour suppression : si l'outil s'arrête, de\n"
    "quelque façon que ce soit (Ctrl+C, fin de tâche), le système le supprime et la\n"
    "destination reste intacte. Il peut rester, dans ce dossier, après une coupure\n"
    "de courant ou un arrêt du système pendant l'écriture, ou, complet, si l'outil\n"
    "est tué dans l'instant qui sépare la levée de cette marque de son renommage\n"
    "final. Sur un support qui refuse la marque, Ctrl+C ou la fermeture de la\n"
    "console le suppriment ; une fin de tâche l'y laisse.\n";
#else
constexpr const char* kInterruptionHelp =
    "Interruption : sous Linux, le fichier temporaire n'a pas de nom pendant\n"
    "l'écriture : une interruption, même brutale (kill -9, coupure de courant), ne\n"
    "laisse rien, et la destination reste intacte. Quand il remplace un fichier\n"
    "existant, il porte le nom ~tfxxxxxxxx.tmp dans le dossier de destination\n"
    "pendant l'instant d'un renommage : tué à cet instant précis, l'outil l'y laisse,\n"
    "complet. Sur un système de fichiers sans fichiers anonymes, ou sans /proc, il\n"
    "porte ce nom pendant toute l'écriture : Ctrl+C ou un signal d'arrêt le\n"
    "suppriment, un arrêt brutal (kill -9, coupure de courant) l'y laisse.\n";
#endif

#ifdef _WIN32
constexpr const char* kPermissionsHelp =
    "intacte. Un fichier remplacé garde ses droits d'accès et ses attributs (caché,\n"
    "système...) ; une destination en lecture seule est refusée et reste telle\n"
    "quelle.\n";
#else
constexpr const char* kPermissionsHelp =
    "intacte. Un fichier remplacé garde son mode, et son propriétaire et son groupe\n"
    "quand l'utilisateur peut les donner ; une destination que l'utilisateur ne peut\n"
    "pas modifier est refusée et reste telle quelle.\n";
#endif

}  // namespace

std::string CommonHelp() {
  std::string text =
      "Les options s'écrivent avec « - » ou « / » (/R, /D, /?), en majuscules ou en\n"
      "minuscules ; « -- » termine les options (sous Linux, un fichier nommé « /R » se\n"
      "donne après « -- »).\n"
      "\n"
      "Sûreté : la source n'est jamais modifiée. Le résultat est écrit dans un fichier\n"
      "temporaire du dossier de destination et ne prend la place de la destination\n"
      "qu'une fois complet et vérifié : après un échec (données endommagées, disque\n"
      "plein, accès refusé), il ne reste rien, et une destination existante reste\n" +
      std::string(kPermissionsHelp) +
      "Une destination qui est une source de la commande (même sous un autre nom, un\n"
      "nom court 8.3, un chemin avec « .. » ou un lien) est refusée.\n"
      "Un lien symbolique est suivi : le fichier vers lequel il mène est remplacé, dans\n"
      "son propre dossier. Un périphérique (NUL, CON, /dev/null) ou un tube reçoit le\n"
      "résultat directement, sans fichier temporaire : une erreur y arrête la sortie\n"
      "en cours de route. Un dossier, un socket ou un disque est refusé.\n"
      "\n" +
      kInterruptionHelp +
      "Un fichier remplacé ne l'est qu'une fois le nouveau écrit sur le disque : une\n"
      "coupure de courant laisse l'ancien ou le nouveau, entier. Un nouveau fichier\n"
      "est confié au cache du système, comme la sortie de tout programme.\n"
      "\n"
      "Messages : en français sur la sortie d'erreur. Sous Windows, une console reçoit\n"
      "du texte Unicode ; une sortie redirigée (fichier, tube) reçoit de l'UTF-8.\n"
      "\n"
      "Codes de sortie (avec plusieurs fichiers : celui du premier échec ; les autres\n"
      "fichiers sont traités quand même) :\n"
      "   0  tout a été fait\n"
      "   1  ligne de commande incorrecte\n"
      "   2  source introuvable, illisible, dossier ou périphérique, motif sans\n"
      "      fichier, ou partie manquante d'un ensemble de cabinets\n"
      "   3  destination refusée (une source, un dossier, protégée en écriture, déjà\n"
      "      écrite par la commande, plusieurs sources sans dossier de destination...)\n"
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
