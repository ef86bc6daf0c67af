#include "common/stored_paths.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

// Every kind of stored name that could reach outside the destination, or a device or a stream:
// each made safe by its rule, or refused.
TEST(StoredPathTest, EachUnsafeKindIsMadeSafeOrRefused) {
  struct Case {
    const char* stored;
    const char* safe;  // parts joined by '|'; empty when refused
  };
  const std::string long_part(256, 'a');
  const std::string longest_part(255, 'a');
  const std::vector<Case> cases = {
      {"dossier\\sous/fichier.txt", "dossier|sous|fichier.txt"},
      {"\\racine\\a.txt", "racine|a.txt"},
      {"/etc/passwd", "etc|passwd"},
      {"C:\\Windows\\a.dll", "Windows|a.dll"},
      {"c:a.dll", "a.dll"},
      {"\\\\serveur\\partage\\a", "serveur|partage|a"},
      {"a\\\\.\\b", "a|b"},
      {"..\\a.txt", ""},
      {"a/../../b", ""},
      {"a\\..", ""},
      {"CON", "_CON"},
      {"nul.txt", "_nul.txt"},
      {"dossier\\Com1.log", "dossier|_Com1.log"},
      {"LPT9", "_LPT9"},
      {"AUX .txt", "_AUX .txt"},
      {"CONOUT$", "_CONOUT$"},
      {"COM10", "COM10"},
      {"console", "console"},
      {"a.txt:flux", "a.txt_flux"},
      {"a<b>c|d?e*f\"g", "a_b_c_d_e_f_g"},
      {"tab\there\x01", "tab_here_"},
      {"fin. . .", "fin"},
      {"dossier.\\a", "dossier|a"},
      {"...", ""},
      {"a\\ \\b", ""},
      {"", ""},
      {"\\/", ""},
      {long_part.c_str(), ""},
      {longest_part.c_str(), longest_part.c_str()},
      {"\xC3\xA9t\xC3\xA9\\\xCE\xB1.txt", "\xC3\xA9t\xC3\xA9|\xCE\xB1.txt"},
  };
  for (const Case& c : cases) {
    const StoredPath path = SafeStoredPath(c.stored);
    std::string joined;
    for (const std::string& part : path.parts)
      joined += (joined.empty() ? "" : "|") + part;
    EXPECT_EQ(joined, c.safe) << "« " << c.stored << " »";
    EXPECT_EQ(path.refusal.empty(), !path.parts.empty()) << "« " << c.stored << " »";
  }
}

}  // namespace
}  // namespace tools
