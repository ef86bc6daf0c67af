#include "common/source_name.h"

#include "common/failure.h"
#include "common/paths.h"
#include "common/wildcard.h"

namespace tools {

std::string SourceName(FileSystem& files, const std::string& source) {
  std::string given(SplitPath(source, kNativeStyle).name);
  std::string stored;
  try {
    stored = files.StoredName(source);
  } catch (const IoError&) {
    return given;  // the source was opened already; its name as given is still a name
  }
  return stored.empty() || SameNameIgnoringCase(given, stored) ? given : stored;
}

}  // namespace tools
