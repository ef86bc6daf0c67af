#include "common/steps.h"

#include "common/paths.h"

namespace tools {

std::unique_ptr<InputFile> OpenSource(FileSystem& files, const std::string& path) {
  std::unique_ptr<InputFile> file = ReadingSource([&] { return files.OpenRead(path); });
  if (file->info().is_folder) {
    throw ToolError(Status::kSource, "« " + path + " » est un dossier");
  }
  return file;
}

std::unique_ptr<TemporaryFile> CreateTemporaryBeside(FileSystem& files,
                                                     const std::string& destination) {
  try {
    return files.CreateTemporary(std::string(SplitPath(destination, kNativeStyle).folder));
  } catch (const IoError& error) {
    throw ToolError(StatusFor(codec::Error::kOutputFailed), error.what());
  }
}

void FinishTemporary(TemporaryFile& temporary) {
  try {
    temporary.Finish();
  } catch (const IoError& error) {
    throw ToolError(StatusFor(codec::Error::kOutputFailed), error.what());
  }
}

void ThrowPassFailure(const std::string& source, const PassResult& result) {
  std::string message = "« " + source + " » : " + std::string(codec::ToText(result.error));
  if (!result.detail.empty()) {
    message += " (" + result.detail + ")";
  }
  throw ToolError(StatusFor(result.error), message + " ; destination inchangée");
}

}  // namespace tools
