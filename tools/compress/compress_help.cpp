#include "compress/compress_help.h"

#include "common/help.h"

namespace tools {

std::string CompressHelp() {
  return "COMPRESS : compresse des fichiers au format SZDD (fichiers d'installation\n"
         "comme RAPPORT.TX_), que EXPAND et l'outil du système décompressent.\n"
         "\n"
         "  COMPRESS [-R] [-D] SOURCE... DESTINATION\n"
         "\n"
         "  SOURCE       fichier à compresser ; * et ? en désignent plusieurs (sans\n"
         "               distinction de majuscules).\n"
         "  DESTINATION  fichier à écrire, ou dossier existant qui reçoit les fichiers.\n"
         "               Plusieurs sources ou un motif demandent un dossier. Sans -R,\n"
         "               un fichier compressé dans un dossier garde son nom.\n"
         "  -R           nomme le fichier compressé d'après la source : le dernier\n"
         "               caractère de l'extension devient « _ » et il est gardé dans\n"
         "               l'en-tête, pour qu'EXPAND -R rende le nom (RAPPORT.TXT ->\n"
         "               RAPPORT.TX_, page.html -> page.htm_). Une extension de moins\n"
         "               de trois caractères reçoit un « _ » de plus (A.B -> A.B_) ; un\n"
         "               nom sans extension reçoit « ._ » (README -> README._) ; un\n"
         "               dernier caractère que l'en-tête ne peut pas garder (lettre\n"
         "               accentuée...) reste, suivi de « _ ». Les noms longs gardent\n"
         "               leur longueur. Une source donnée par son nom court 8.3\n"
         "               (RAPPOR~1.TXT) est nommée d'après son nom long, tel qu'il\n"
         "               est enregistré (« rapport annuel.tx_ »). Avec une\n"
         "               destination fichier, -R garde seulement le caractère dans\n"
         "               l'en-tête.\n"
         "  -D           compresse seulement si la destination manque ou est plus\n"
         "               ancienne que la source.\n"
         "  -?, -H, --help  affiche cette aide.\n"
         "\n"
         "Taille maximale d'un fichier : 4 Gio - 1 octet (4 294 967 295 octets).\n"
         "Chaque fichier compressé est vérifié avant de remplacer la destination : il est\n"
         "décompressé et comparé octet par octet à la source.\n"
         "\n" +
         CommonHelp();
}

}  // namespace tools
