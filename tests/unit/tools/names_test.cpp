#include "common/names.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

codec::Header Szdd(char lost_char) {
  codec::Header header;
  header.format = codec::Format::kSzdd;
  header.lost_char = lost_char;
  return header;
}

codec::Header Kwaj(std::string name, std::string extension) {
  codec::Header header;
  header.format = codec::Format::kKwaj;
  header.kwaj_name = std::move(name);
  header.kwaj_extension = std::move(extension);
  return header;
}

TEST(RenameForCompression, FollowsTheDocumentedRule) {
  struct Case {
    const char* name;
    const char* renamed;
    char lost;
  };
  const Case cases[] = {
      {"RAPPORT.TXT", "RAPPORT.TX_", 'T'},
      {"page.html", "page.htm_", 'l'},
      {"Mon rapport annuel.docx", "Mon rapport annuel.doc_", 'x'},
      {"A.B", "A.B_", 0},
      {"NOTES.DC", "NOTES.DC_", 0},
      {"archive.tar.gz", "archive.tar.gz_", 0},
      {"README", "README._", 0},
      {".profile", ".profile._", 0},
      {"README.", "README._", 0},
      {"DEJA.TX_", "DEJA.TX_", '_'},
      {"note.txé", "note.txé_", 0},  // é cannot go into the one-byte field
      {"un.été", "un.été_", 0},
  };
  for (const Case& c : cases) {
    const CompressedName result = RenameForCompression(c.name);
    EXPECT_EQ(result.name, c.renamed) << c.name;
    EXPECT_EQ(result.lost_char, c.lost) << c.name;
  }
}

TEST(RenameForCompression, ShortExtensionsStayApart) {
  EXPECT_NE(RenameForCompression("PROG.C").name, RenameForCompression("PROG.H").name);
}

TEST(RestoreName, GivesBackEveryNameThatCompressionRenamed) {
  for (const char* name : {"RAPPORT.TXT", "page.html", "A.B", "NOTES.DC", "README", ".profile",
                           "DEJA.TX_", "note.txé", "Mon rapport annuel.docx", "x.y.z"}) {
    const CompressedName renamed = RenameForCompression(name);
    const codec::Header header = Szdd(renamed.lost_char);
    const RestoredName restored = RestoreName(renamed.name, &header);
    EXPECT_EQ(restored.name, name);
    EXPECT_FALSE(restored.header_name_unusable);
  }
}

TEST(RestoreName, SzddWithoutStoredCharacterDropsTheMark) {
  const codec::Header unknown = Szdd(0);
  EXPECT_EQ(RestoreName("RAPPORT.TX_", &unknown).name, "RAPPORT.TX");
  EXPECT_EQ(RestoreName("README._", &unknown).name, "README");
  EXPECT_EQ(RestoreName("_", &unknown).name, "_");  // nothing would be left
  EXPECT_EQ(RestoreName("._", &unknown).name, "._");
  EXPECT_EQ(RestoreName("RENAMED.BIN", &unknown).name, "RENAMED.BIN");

  codec::Header qbasic;
  qbasic.format = codec::Format::kSzddQBasic;
  EXPECT_EQ(RestoreName("GORILLA.BA_", &qbasic).name, "GORILLA.BA");
}

TEST(RestoreName, StoredCharacterReplacesOnlyAFinalMark) {
  const codec::Header header = Szdd('T');
  EXPECT_EQ(RestoreName("rapport.tx_", &header).name, "rapport.txT");
  EXPECT_EQ(RestoreName("RENOMME.BIN", &header).name, "RENOMME.BIN");
}

TEST(RestoreName, UnusableStoredCharacterIsIgnoredAndSaid) {
  for (const char bad : {'/', '\\', ':', '*', '.', '\x7f', '\x85', ' '}) {
    const codec::Header header = Szdd(bad);
    const RestoredName restored = RestoreName("RAPPORT.TX_", &header);
    EXPECT_EQ(restored.name, "RAPPORT.TX") << static_cast<int>(bad);
    EXPECT_TRUE(restored.header_name_unusable);
  }
}

TEST(RestoreName, KwajUsesTheStoredNameAndExtension) {
  const codec::Header both = Kwaj("RAPPORT", "TXT");
  EXPECT_EQ(RestoreName("WHATEVER.TX$", &both).name, "RAPPORT.TXT");
  const codec::Header name_only = Kwaj("LISEZMOI", "");
  EXPECT_EQ(RestoreName("LISEZMOI.$", &name_only).name, "LISEZMOI");
  const codec::Header extension_only = Kwaj("", "DLL");
  EXPECT_EQ(RestoreName("OUTIL.DL$", &extension_only).name, "OUTIL.DLL");
  const codec::Header neither = Kwaj("", "");
  EXPECT_EQ(RestoreName("OUTIL.DL$", &neither).name, "OUTIL.DL");
  EXPECT_EQ(RestoreName("OUTIL.DL_", &neither).name, "OUTIL.DL");
}

TEST(RestoreName, KwajNamesThatCouldLeaveTheFolderAreIgnored) {
  for (const auto& [name, extension] :
       std::vector<std::pair<std::string, std::string>>{{"..", ""},
                                                        {"../../x", "TXT"},
                                                        {"A\\B", "TXT"},
                                                        {"C:X", ""},
                                                        {"OK", "T/T"},
                                                        {"NUL\x01", ""},
                                                        {"A B", "TXT"}}) {
    const codec::Header header = Kwaj(name, extension);
    const RestoredName restored = RestoreName("SAFE.TX$", &header);
    EXPECT_EQ(restored.name, "SAFE.TX") << name;
    EXPECT_TRUE(restored.header_name_unusable) << name;
  }
}

TEST(RestoreName, UncompressedFileKeepsItsName) {
  EXPECT_EQ(RestoreName("PLAIN.TX_", nullptr).name, "PLAIN.TX_");
}

}  // namespace
}  // namespace tools
