// EXPAND on a cabinet: the files of its whole set. A cabinet of one file behaves as any
// compressed file (written as the destination, or under its stored name into a folder); a
// cabinet of several files is extracted into a folder, the destination folder or a new folder of
// the destination's name, its stored folders made again inside it. Each file goes through its own
// temporary file and replaces nothing until complete and checked.
#pragma once

#include <memory>
#include <vector>

#include "common/arguments.h"
#include "common/file_system.h"
#include "common/plan.h"
#include "common/session.h"

namespace tools {

// The cabinets that the run has read already as parts of a set, so that a set named by several
// of its cabinets is extracted once.
struct CabinetsRead {
  std::vector<FileId> ids;
};

// Whether the file starts with a cabinet's signature; reading goes on from the start after it.
bool IsCabinetFile(InputFile& source);

void ExpandCabinet(const Job& job, const Arguments& arguments, FileSystem& files, Session& session,
                   std::unique_ptr<InputFile> source, CabinetsRead& read);

}  // namespace tools
