#include "expand/expand_help.h"

#include "common/help.h"

namespace tools {
namespace {

#ifdef _WIN32
constexpr const char* kAttributesHelp =
    "leurs attributs lecture seule, caché, système et archive.\n";
#else
constexpr const char* kAttributesHelp = "un fichier en lecture seule perd ses droits d'écriture.\n";
#endif

}  // namespace

std::string ExpandHelp() {
  return std::string(
             "EXPAND : décompresse les fichiers SZDD (et leur variante QBasic) et KWAJ\n"
             "(méthodes 0 à 4) des disquettes d'installation, et les cabinets (MSCF :\n"
             "stockés, MSZIP, Quantum, LZX) des supports plus récents, reconnus à leur\n"
             "contenu.\n"
             "\n"
             "  EXPAND SOURCE DESTINATION\n"
             "  EXPAND [-R] [-F:MOTIF]... SOURCE... DOSSIER\n"
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
             "               format, taille d'origine, nom du fichier obtenu ; pour un\n"
             "               cabinet, chaque fichier : nom stocké, taille, date, méthode\n"
             "               et cabinet de l'ensemble qui le contient.\n"
             "  -F:MOTIF     (cabinets) ne décompresse que les fichiers que le motif\n"
             "               désigne (* et ?, sans distinction de majuscules), comparé au\n"
             "               nom stocké avec ses dossiers et à sa dernière partie ; se\n"
             "               répète. Un motif qui ne désigne aucun fichier est une erreur.\n"
             "  -?, -H, --help  affiche cette aide.\n"
             "\n"
             "Un fichier sans signature connue est copié tel quel, avec un message. Un\n"
             "fichier endommagé, tronqué ou de méthode inconnue est refusé ; un fichier de 4\n"
             "à 7 octets qui suit le début d'une signature est un fichier compressé tronqué.\n"
             "Une source donnée par son nom court 8.3 (RAPPOR~1.TX_) prend, avec -R ou vers\n"
             "un dossier, le nom long sous lequel elle est enregistrée.\n"
             "\n"
             "Cabinets. Un cabinet d'un seul fichier se décompresse comme tout fichier\n"
             "compressé : vers DESTINATION, ou, vers un dossier ou avec -R, sous la\n"
             "dernière partie de son nom stocké. Un cabinet de plusieurs fichiers se\n"
             "décompresse dans DOSSIER (existant), ou dans un nouveau dossier du nom de\n"
             "DESTINATION quand elle n'existe pas, en recréant les dossiers stockés ; un\n"
             "fichier existant comme destination est refusé. Un ensemble de cabinets se\n"
             "décompresse en entier, quel que soit le cabinet nommé : les autres sont\n"
             "cherchés dans le même dossier sous le nom que donnent les en-têtes (sans\n"
             "distinction de majuscules) ; une partie introuvable ou d'un autre ensemble\n"
             "refuse les seuls fichiers qui en ont besoin. Chaque fichier passe par son\n"
             "fichier temporaire ; des données endommagées (somme de contrôle, données\n"
             "illisibles) refusent les fichiers qui en ont besoin, sans rien en laisser,\n"
             "et ceux déjà complets restent. Les fichiers prennent la date et l'heure\n"
             "stockées, et ") +
         kAttributesHelp +
         "Rien n'est écrit hors de la destination, quel que soit le nom stocké :\n"
         "« \\ » et « / » séparent les dossiers ; un lecteur (C:) et les séparateurs\n"
         "du début sont ôtés, ainsi que les parties vides et « . » ; une partie\n"
         "« .. » refuse le fichier ; un caractère interdit par Windows (< > : \" | ? *\n"
         "et les caractères de contrôle) devient « _ » ; les points et blancs de fin\n"
         "sont ôtés, et une partie qui reste vide refuse le fichier ; un nom de\n"
         "périphérique (CON, PRN, AUX, NUL, COM0 à COM9, LPT0 à LPT9...), avec ou sans\n"
         "extension, reçoit « _ » devant ; une partie de plus de 255 caractères\n"
         "refuse le fichier. Un dossier stocké qui existe sous forme de lien n'est\n"
         "pas suivi : le fichier est refusé. Deux noms stockés qui donnent le même\n"
         "fichier : le second est refusé, le premier reste. Un cabinet contenu dans\n"
         "un autre fichier (programme auto-extractible) est copié tel quel.\n"
         "\n" +
         CommonHelp();
}

}  // namespace tools
