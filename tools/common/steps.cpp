#include "common/steps.h"

namespace tools {
namespace {

template <typename Step>
auto WritingOutput(Step step) {
  try {
    return step();
  } catch (const IoError& error) {
    throw ToolError(StatusFor(codec::Error::kOutputFailed), error.what());
  }
}

}  // namespace

std::unique_ptr<InputFile> OpenSource(FileSystem& files, const std::string& path) {
  std::unique_ptr<InputFile> file = ReadingSource([&] { return files.OpenRead(path); });
  if (file->info().kind == FileKind::kFolder) {
    throw ToolError(Status::kSource, "« " + path + " » est un dossier");
  }
  return file;
}

std::unique_ptr<TemporaryFile> CreateTemporaryFor(FileSystem& files, const Target& target) {
  return WritingOutput([&] { return files.CreateTemporary(target.path); });
}

void FinishTemporary(TemporaryFile& temporary) {
  WritingOutput([&] {
    temporary.Finish();
    return true;
  });
}

void WriteHeader(TemporaryFile& temporary, std::span<const std::uint8_t> header) {
  WritingOutput([&] {
    temporary.WriteAt(0, header);
    return true;
  });
}

std::unique_ptr<Writer> OpenTargetStream(FileSystem& files, const Target& target) {
  return WritingOutput([&] { return files.OpenStream(target.path); });
}

std::string Untouched(FileSystem& files, const std::string& destination) {
  try {
    const std::optional<FileInfo> info = files.Stat(destination);
    return info && info->kind == FileKind::kRegular ? "destination inchangée"
                                                    : "rien n'a été écrit";
  } catch (const IoError&) {
    return "rien n'a été écrit";
  }
}

void ThrowPassFailure(const std::string& source, const PassResult& result,
                      const std::string& left_behind) {
  std::string message = "« " + source + " » : " + std::string(codec::ToText(result.error));
  if (!result.detail.empty()) {
    message += " (" + result.detail + ")";
  }
  throw ToolError(StatusFor(result.error), message + " ; " + left_behind);
}

}  // namespace tools
