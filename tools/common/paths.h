// Splitting and joining paths as text, for either platform's conventions, so that the rules can be
// tested anywhere. Nothing here touches the file system.
#pragma once

#include <string>
#include <string_view>

namespace tools {

enum class PathStyle { kPosix, kWindows };

#ifdef _WIN32
inline constexpr PathStyle kNativeStyle = PathStyle::kWindows;
#else
inline constexpr PathStyle kNativeStyle = PathStyle::kPosix;
#endif

bool IsSeparator(char c, PathStyle style);
bool EndsWithSeparator(std::string_view path, PathStyle style);

// The folder part of a path (with its trailing separator, or "C:" for a drive-relative name; empty
// for a bare name) and the last component. `folder + name == path`.
struct PathParts {
  std::string_view folder;
  std::string_view name;
};
PathParts SplitPath(std::string_view path, PathStyle style);

// `name` inside `folder`; an empty folder means the current one.
std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style);

}  // namespace tools
