// The name an output is named after: the source's own name. A source given by an alias of its
// name (the short 8.3 form that the program passes on Windows) is named by the name its folder
// stores, long and in the case of its letters: COMPRESS -R C:\DONNEES\RAPPOR~1.TXT gives
// "rapport annuel.tx_". A source given by its name, in whatever case, keeps it as given.
#pragma once

#include <string>

#include "common/file_system.h"

namespace tools {

std::string SourceName(FileSystem& files, const std::string& source);

}  // namespace tools
