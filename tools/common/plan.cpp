#include "common/plan.h"

#include <algorithm>
#include <optional>

#include "common/failure.h"
#include "common/wildcard.h"

namespace tools {
namespace {

bool IsFolder(FileSystem& files, const std::string& path) {
  try {
    const std::optional<FileInfo> info = files.Stat(path);
    return info && info->kind == FileKind::kFolder;
  } catch (const IoError& error) {
    throw ToolError(Status::kDestination, error.what());
  }
}

bool Exists(FileSystem& files, const std::string& path) {
  try {
    return files.Stat(path).has_value();
  } catch (const IoError&) {
    return false;  // then taken as a pattern; opening it would fail the same way
  }
}

struct Sources {
  std::vector<std::string> paths;
  bool from_pattern = false;
};

// Adds the files that `name` stands for, or a problem when a pattern matched none.
void AddSource(const std::string& name, FileSystem& files, PathStyle style, Sources& sources,
               std::vector<std::string>& problems) {
  const PathParts parts = SplitPath(name, style);
  const bool literal = !HasWildcards(parts.name) || HasWildcards(parts.folder) ||
                       (style == PathStyle::kPosix && Exists(files, name));
  if (literal) {
    sources.paths.push_back(name);
    return;
  }
  sources.from_pattern = true;
  std::vector<std::string> matches;
  try {
    for (const FolderEntry& entry : files.List(std::string(parts.folder))) {
      if (!entry.is_folder && WildcardMatch(parts.name, entry.name)) {
        matches.push_back(JoinPath(parts.folder, entry.name, style));
      }
    }
  } catch (const IoError& error) {
    problems.emplace_back(error.what());
    return;
  }
  if (matches.empty()) {
    problems.push_back("aucun fichier ne correspond à « " + name + " »");
  }
  std::sort(matches.begin(), matches.end());
  sources.paths.insert(sources.paths.end(), matches.begin(), matches.end());
}

}  // namespace

Plan MakePlan(const Arguments& arguments, Tool tool, FileSystem& files, PathStyle style) {
  std::vector<std::string> names = arguments.names;
  if (names.empty()) {
    throw ToolError(Status::kUsage, "aucun fichier source indiqué");
  }

  std::optional<std::string> destination;
  const bool destination_optional = tool == Tool::kExpand && (arguments.rename || arguments.dated);
  if (destination_optional) {
    if (names.size() >= 2 &&
        (EndsWithSeparator(names.back(), style) || IsFolder(files, names.back()))) {
      destination = names.back();
    }
  } else if (names.size() < 2) {
    throw ToolError(Status::kUsage, "destination manquante");
  } else {
    destination = names.back();
  }
  if (destination) {
    names.pop_back();
  }

  bool into_folder = !destination.has_value();
  if (destination) {
    if (HasWildcards(SplitPath(*destination, style).name)) {
      throw ToolError(Status::kUsage,
                      "la destination ne peut pas contenir * ni ? : « " + *destination + " »");
    }
    into_folder = IsFolder(files, *destination);
    if (!into_folder && EndsWithSeparator(*destination, style)) {
      throw ToolError(Status::kDestination,
                      "dossier de destination introuvable : « " + *destination + " »");
    }
  }

  Plan plan;
  Sources sources;
  for (const std::string& name : names) {
    AddSource(name, files, style, sources, plan.problems);
  }
  if (!into_folder && (names.size() > 1 || sources.from_pattern)) {
    throw ToolError(Status::kDestination,
                    "plusieurs fichiers sources ou un motif demandent un dossier existant comme "
                    "destination, et « " +
                        *destination + " » n'en est pas un");
  }
  for (const std::string& source : sources.paths) {
    if (destination) {
      plan.jobs.push_back({source, *destination, into_folder});
    } else {
      plan.jobs.push_back({source, std::string(SplitPath(source, style).folder), true});
    }
  }
  return plan;
}

}  // namespace tools
