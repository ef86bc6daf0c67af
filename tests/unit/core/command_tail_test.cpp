#include "app/command_tail.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/command_line.h"

namespace tassefiche {
namespace {

TEST(SplitArguments, SplitsAsTheCRuntimeOfEveryProgramDoes) {
  struct Row {
    std::wstring_view tail;
    std::vector<std::wstring> arguments;
  };
  const std::vector<Row> rows{
      {L"", {}},
      {L"  \t ", {}},
      {L"C:\\DONNEES\\RAPPORT.TXT", {L"C:\\DONNEES\\RAPPORT.TXT"}},
      {L"a  b\tc ", {L"a", L"b", L"c"}},
      {L"\"D:\\Mes documents\\Φάκελος\\été.txt\"", {L"D:\\Mes documents\\Φάκελος\\été.txt"}},
      {L"\"\" x", {L"", L"x"}},
      {L"D:\\Mes\" \"documents", {L"D:\\Mes documents"}},
      {L"\"D:\\Mes documents\\\\\" suite", {L"D:\\Mes documents\\", L"suite"}},
      {L"D:\\dossier\\", {L"D:\\dossier\\"}},
      {L"a\\\\\\\"b", {L"a\\\"b"}},
      {L"\"a \"\"b\"\" c\"", {L"a \"b\" c"}},
      {L"\"non fermé", {L"non fermé"}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(SplitArguments(row.tail), row.arguments) << std::wstring(row.tail);
  }
}

// What the jobs quote for a tool, the program splits back whole.
TEST(SplitArguments, TakesBackWhatTheJobsQuote) {
  for (const std::wstring_view argument :
       {L"C:\\Program Files\\Tassefiche", L"D:\\MES DOCS\\", L"D:\\A B\\x\"y", L"  RAPPORT"}) {
    EXPECT_THAT(SplitArguments(QuotedIfBlank(argument)), ::testing::ElementsAre(argument));
  }
}

}  // namespace
}  // namespace tassefiche
