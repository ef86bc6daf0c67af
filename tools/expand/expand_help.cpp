#include "expand/expand_help.h"

#include "common/help.h"

namespace tools {

std::string ExpandHelp() {
  return "EXPAND : décompresse les fichiers SZDD (et leur variante QBasic) et KWAJ\n"
         "(méthodes 0 à 4) des disquettes d'installation, reconnus à leur contenu.\n"
         "\n"
         "  EXPAND SOURCE DESTINATION\n"
         "  EXPAND [-R] SOURCE... DOSSIER\n"
         "  EXPAND -R SOURCE...\n"
         "  EXPAND -D SOURCE... [DOSSIER]\n"
         "\n"
         "  SOURCE       fichier à décompresser ; * et ? en désignent plusieurs (sans\n"
         "               distinction de majuscules).\n"
         "  DESTINATION  fichier à écrire, ou dossier existant : chaque fichier y prend\n"
         "               son nom d'origine (voir -R). Plusieurs sources ou un motif\n"
         "               demandent un dossier.\n"
         "  -R           rend le nom d'origine. SZDD : le « _ » final redevient le\n"
         "               caractère gardé dans l'en-tête (RAPPORT.TX_ -> RAPPORT.TXT) ;\n"
         "               sans caractère gardé, le « _ » final est retiré, puis un point\n"
         "               final (A.B_ -> A.B, README._ -> README). KWAJ : le nom et\n"
         "               l'extension de l'en-tête (une extension seule complète le nom\n"
         "               du fichier) ; sans eux, le « _ » ou « $ » final est retiré.\n"
         "               Un nom d'en-tête inutilisable (séparateur, caractère interdit)\n"
         "               est ignoré, avec un message. Sans dossier de destination,\n"
         "               chaque fichier est décompressé dans son propre dossier.\n"
         "  -D           affiche, sans rien écrire, ce que donnerait chaque source :\n"
         "               format, taille d'origine, nom du fichier obtenu.\n"
         "  -?, -H, --help  affiche cette aide.\n"
         "\n"
         "Un fichier sans signature connue est copié tel quel, avec un message. Un\n"
         "fichier endommagé, tronqué ou de méthode inconnue est refusé ; un fichier de 4\n"
         "à 7 octets qui suit le début d'une signature est un fichier compressé tronqué.\n"
         "Une source donnée par son nom court 8.3 (RAPPOR~1.TX_) prend, avec -R ou vers\n"
         "un dossier, le nom long sous lequel elle est enregistrée.\n"
         "\n" +
         CommonHelp();
}

}  // namespace tools
