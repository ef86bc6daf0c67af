#include "common/paths.h"

namespace tools {

bool IsSeparator(char c, PathStyle style) {
  return c == '/' || (style == PathStyle::kWindows && c == '\\');
}

bool EndsWithSeparator(std::string_view path, PathStyle style) {
  return !path.empty() && IsSeparator(path.back(), style);
}

PathParts SplitPath(std::string_view path, PathStyle style) {
  std::size_t name_start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsSeparator(path[i], style)) {
      name_start = i + 1;
    }
  }
  // "C:NAME" names NAME in drive C's current folder.
  if (name_start == 0 && style == PathStyle::kWindows && path.size() >= 2 && path[1] == ':') {
    name_start = 2;
  }
  return {path.substr(0, name_start), path.substr(name_start)};
}

std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style) {
  std::string out(folder);
  const bool drive_only = style == PathStyle::kWindows && folder.size() == 2 && folder[1] == ':';
  if (!folder.empty() && !EndsWithSeparator(folder, style) && !drive_only) {
    out.push_back(style == PathStyle::kWindows ? '\\' : '/');
  }
  out.append(name);
  return out;
}

}  // namespace tools
