#include "compress/compress_tool.h"

#include "common/arguments.h"
#include "common/console.h"
#include "common/names.h"
#include "common/paths.h"
#include "common/plan.h"
#include "common/session.h"
#include "common/steps.h"
#include "compress/compress_help.h"

namespace tools {
namespace {

[[noreturn]] void RefuseTooLarge(const std::string& source, std::uint64_t size) {
  throw ToolError(StatusFor(codec::Error::kTooLarge),
                  "« " + source + " » : " + std::string(codec::ToText(codec::Error::kTooLarge)) +
                      " (" + std::to_string(size) +
                      " octets ; 4 294 967 295 au plus) ; rien n'a été écrit");
}

// Expands the temporary file again and compares it with the source, byte for byte.
void Verify(const std::string& source_path, InputFile& source, TemporaryFile& compressed) {
  PassResult check;
  try {
    source.Rewind();
    check = VerifyCompressed(compressed, source);
  } catch (const IoError& error) {
    throw ToolError(Status::kVerification, std::string("vérification impossible : ") +
                                               error.what() + " ; destination inchangée");
  }
  if (check.mismatch || check.error != codec::Error::kOk) {
    throw ToolError(
        Status::kVerification,
        "« " + source_path +
            " » : le fichier compressé ne redonne pas la source ; destination inchangée");
  }
}

void CompressOne(const Job& job, const Arguments& arguments, FileSystem& files, Session& session) {
  const std::string_view source_name = SplitPath(job.source, kNativeStyle).name;
  const CompressedName renamed = RenameForCompression(source_name);
  const std::string destination =
      job.into_folder
          ? JoinPath(job.destination, arguments.rename ? renamed.name : source_name, kNativeStyle)
          : job.destination;

  const std::unique_ptr<InputFile> source = OpenSource(files, job.source);
  const FileInfo& info = source->info();
  if (info.size > codec::kSzddMaxLength) {
    RefuseTooLarge(job.source, info.size);
  }
  const std::optional<FileInfo> existing = session.CheckDestination(destination);
  if (arguments.dated && existing && existing->modified >= info.modified) {
    session.Tell("« " + destination + " » est à jour : ignoré");
    return;
  }

  const std::unique_ptr<TemporaryFile> temporary = CreateTemporaryBeside(files, destination);
  const char lost_char = arguments.rename ? renamed.lost_char : '\0';
  PassResult result =
      ReadingSource([&] { return CompressPass(*source, info.size, lost_char, *temporary); });
  if (result.error == codec::Error::kLengthMismatch) {
    result.detail = "le fichier a changé pendant la compression";
  }
  if (result.error != codec::Error::kOk) {
    ThrowPassFailure(job.source, result);
  }
  FinishTemporary(*temporary);
  Verify(job.source, *source, *temporary);
  session.Commit(*temporary, destination);
  session.Tell(job.source + " -> " + destination + " (" + std::to_string(info.size) + " -> " +
               std::to_string(result.written) + " octets)");
}

}  // namespace

int RunCompress(std::span<const std::string> words, FileSystem& files) {
  return RunTool(words, files, Tool::kCompress, "COMPRESS", CompressHelp,
                 [&](const Job& job, const Arguments& arguments, Session& session) {
                   CompressOne(job, arguments, files, session);
                 });
}

}  // namespace tools
