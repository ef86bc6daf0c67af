// What the package tests check of an unpacked or installed Tassefiche, from inside Windows: the
// folder of the shipped files, the program driven through its real window, and shortcuts.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tassefiche::package {

// A folder named by the test script in an environment variable (a Unix path under Wine); the test
// is skipped when the variable is missing, as when the driver is started by hand.
std::filesystem::path FolderFromEnvironment(const char* variable);

// A file's bytes; empty when it cannot be read.
std::string ReadAll(const std::filesystem::path& file);

// The names in a folder, files and folders alike.
std::set<std::wstring> Entries(const std::filesystem::path& folder);

// Every package ships these beside each other, and nothing else.
const std::set<std::wstring>& ShippedFiles();

// Checks (gtest expectations) that `folder` holds exactly the shipped files, with Windows texts.
void ExpectShippedFolder(const std::filesystem::path& folder);

// Starts `program` in `folder`, as a user does, writes a text file there, selects it in the source
// list and presses "&Compresser"; expects the compressed file in the folder, and that the
// platform's own SZDD reader gives the text back.
void ExpectCompressionThroughTheWindow(const std::filesystem::path& program,
                                       const std::filesystem::path& folder);

struct Shortcut {
  std::filesystem::path target;
  std::filesystem::path working_folder;
  std::wstring description;
};
Shortcut ReadShortcut(const std::filesystem::path& link);

}  // namespace tassefiche::package
