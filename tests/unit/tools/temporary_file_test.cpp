// The two kinds of temporary file of the POSIX layer: the unnamed one of Linux, and the named one
// it falls back to elsewhere. Each shows a name only as its kind promises, and either replaces the
// destination keeping its mode, or leaves nothing.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "support/scratch_folder.h"

namespace tools::testing_support {
namespace {

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(TemporaryFile, ShowsANameOnlyWhenNamedAndReplacesKeepingTheMode) {
  for (const TemporaryKind kind : {TemporaryKind::kUnnamedWherePossible, TemporaryKind::kNamed}) {
    const bool named = kind == TemporaryKind::kNamed;
    SCOPED_TRACE(named ? "named" : "unnamed");
    ScratchFolder dir;
    const std::string destination = dir / "RAPPORT.TXT";
    WriteBytes(destination, {'o', 'l', 'd'});
    ASSERT_EQ(chmod(destination.c_str(), 0640), 0);
    const auto files = MakeNativeFileSystem(kind);

    std::unique_ptr<TemporaryFile> abandoned = files->CreateTemporary(destination);
    abandoned->Write(AsBytes("lost"));
    EXPECT_EQ(dir.Names().size(), named ? 2U : 1U);
    abandoned.reset();
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"RAPPORT.TXT"});

    const std::unique_ptr<TemporaryFile> kept = files->CreateTemporary(destination);
    kept->Write(AsBytes("new"));
    const std::vector<std::string> during = dir.Names();
    EXPECT_EQ(during.size(), named ? 2U : 1U);
    if (named) {
      EXPECT_TRUE(during[1].starts_with("~tf") && during[1].ends_with(".tmp")) << during[1];
    }
    kept->Finish();
    kept->Commit();
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"RAPPORT.TXT"});
    EXPECT_EQ(ReadText(destination), "new");
    struct stat st {};
    ASSERT_EQ(stat(destination.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640U);
  }
}

}  // namespace
}  // namespace tools::testing_support
