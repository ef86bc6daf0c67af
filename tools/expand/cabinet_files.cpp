#include "expand/cabinet_files.h"

#include "common/failure.h"
#include "common/paths.h"
#include "common/wildcard.h"

namespace tools {

std::unique_ptr<codec::CabinetSource> SiblingCabinets::Open(const std::string& name) {
  std::string_view last = name;
  const std::size_t cut = last.find_last_of("\\/:");
  if (cut != std::string_view::npos) last.remove_prefix(cut + 1);
  try {
    for (const FolderEntry& entry : files_.List(folder_)) {
      if (entry.is_folder || !SameNameIgnoringCase(entry.name, last)) continue;
      std::unique_ptr<InputFile> file =
          files_.OpenRead(JoinPath(folder_, entry.name, kNativeStyle));
      opened_.push_back(file->info().id);
      return std::make_unique<FileCabinetSource>(std::move(file));
    }
  } catch (const IoError& error) {
    failures_.emplace_back(error.what());
  }
  return nullptr;
}

}  // namespace tools
