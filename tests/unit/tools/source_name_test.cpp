#include "common/source_name.h"

#include <gtest/gtest.h>

#include "common/names.h"
#include "support/fake_file_system.h"

namespace tools {
namespace {

// An output is named after the source's stored name when the source was given by an alias, and
// after the name as given otherwise (whatever its case).
TEST(SourceName, AnAliasGivesWayToTheStoredName) {
  const struct {
    const char* given;
    const char* stored;
    const char* name;
    const char* compressed;  // what COMPRESS -R writes
  } cases[] = {
      {"/donnees/RAPPOR~1.TXT", "rapport annuel.txt", "rapport annuel.txt", "rapport annuel.tx_"},
      {"/donnees/ETE202~1.DOC", "Été 2024.doc", "Été 2024.doc", "Été 2024.do_"},
      {"/donnees/RAPPORT ANNUEL.TXT", "rapport annuel.txt", "RAPPORT ANNUEL.TXT",
       "RAPPORT ANNUEL.TX_"},
      {"/donnees/ÉTÉ 2024.DOC", "Été 2024.doc", "ÉTÉ 2024.DOC", "ÉTÉ 2024.DO_"},
      {"/donnees/NOTES.TXT", "NOTES.TXT", "NOTES.TXT", "NOTES.TX_"},
  };
  for (const auto& c : cases) {
    testing_support::FakeFileSystem files;
    files.SetStoredName(c.given, c.stored);
    const std::string name = SourceName(files, c.given);
    EXPECT_EQ(name, c.name) << c.given;
    EXPECT_EQ(RenameForCompression(name).name, c.compressed) << c.given;
  }
}

TEST(SourceName, ANameTheFileSystemCannotTellIsKeptAsGiven) {
  testing_support::FakeFileSystem files;
  EXPECT_EQ(SourceName(files, "/donnees/ABSENT~1.TXT"), "ABSENT~1.TXT");
}

}  // namespace
}  // namespace tools
