// The portable ZIP, unpacked by zip_test.sh into a fresh folder whose path holds blanks: it holds
// the shipped files, and the program starts from there and compresses through its real window.
#include <gtest/gtest.h>

#include "package_checks.h"

namespace tassefiche::package {
namespace {

namespace fs = std::filesystem;

class PortableZip : public ::testing::Test {
 protected:
  void SetUp() override {
    if (unpacked.empty() || work.empty()) GTEST_SKIP() << "run by tests/package/zip_test.sh";
  }
  const fs::path unpacked = FolderFromEnvironment("TASSEFICHE_UNPACKED");
  const fs::path work = FolderFromEnvironment("TASSEFICHE_WORK");
};

TEST_F(PortableZip, HoldsTheProgramItsToolsAndItsTexts) {
  ExpectShippedFolder(unpacked);
}

TEST_F(PortableZip, StartsAndCompressesThroughTheWindow) {
  ExpectCompressionThroughTheWindow(unpacked / L"Tassefiche.exe", work);
}

}  // namespace
}  // namespace tassefiche::package
