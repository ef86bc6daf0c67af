#include "compress/compress_tool.h"

#include "common/arguments.h"
#include "common/console.h"
#include "common/names.h"
#include "common/paths.h"
#include "common/plan.h"
#include "common/session.h"
#include "common/source_name.h"
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

[[noreturn]] void RefuseMismatch(const std::string& source, const std::string& left) {
  throw ToolError(Status::kVerification,
                  "« " + source + " » : le fichier compressé ne redonne pas la source ; " + left);
}

// Expands the temporary file again and compares it with the source, byte for byte.
void Verify(const std::string& source_path, InputFile& source, TemporaryFile& compressed,
            const Target& target) {
  PassResult check;
  try {
    source.Rewind();
    check = VerifyCompressed(compressed, source);
  } catch (const IoError& error) {
    throw ToolError(Status::kVerification, std::string("vérification impossible : ") +
                                               error.what() + " ; " + LeftBehind(target, 0));
  }
  if (check.mismatch || check.error != codec::Error::kOk) {
    RefuseMismatch(source_path, LeftBehind(target, 0));
  }
}

void CheckPass(const std::string& source_path, PassResult result, const std::string& left) {
  if (result.mismatch) {
    RefuseMismatch(source_path, left);
  }
  if (result.error == codec::Error::kLengthMismatch) {
    result.detail = "le fichier a changé pendant la compression";
  }
  if (result.error != codec::Error::kOk) {
    ThrowPassFailure(source_path, result, left);
  }
}

void CompressOne(const Job& job, const Arguments& arguments, FileSystem& files, Session& session) {
  const std::unique_ptr<InputFile> source = OpenSource(files, job.source);
  const FileInfo& info = source->info();
  if (info.size > codec::kSzddMaxLength) {
    RefuseTooLarge(job.source, info.size);
  }
  const std::string source_name = SourceName(files, job.source);
  const CompressedName renamed = RenameForCompression(source_name);
  const std::string destination =
      job.into_folder
          ? JoinPath(job.destination, arguments.rename ? renamed.name : source_name, kNativeStyle)
          : job.destination;
  const Target target = session.CheckDestination(destination);
  const bool up_to_date = target.existing && target.existing->kind == FileKind::kRegular &&
                          target.existing->modified >= info.modified;
  if (arguments.dated && up_to_date) {
    session.Tell("« " + destination + " » est à jour : ignoré");
    return;
  }

  const char lost_char = arguments.rename ? renamed.lost_char : '\0';
  PassResult result;
  if (target.stream()) {
    // Checked as it goes, against the source read a second time: a stream cannot be read back.
    const std::unique_ptr<InputFile> original = OpenSource(files, job.source);
    const std::unique_ptr<Writer> stream = OpenTargetStream(files, target);
    result = ReadingSource(
        [&] { return CompressCheckedPass(*source, info.size, lost_char, *original, *stream); });
    CheckPass(job.source, result, LeftBehind(target, result.written));
  } else {
    const std::unique_ptr<TemporaryFile> temporary = CreateTemporaryFor(files, target);
    result = ReadingSource([&] { return CompressPass(*source, info.size, lost_char, *temporary); });
    CheckPass(job.source, result, LeftBehind(target, 0));
    FinishTemporary(*temporary);
    Verify(job.source, *source, *temporary, target);
    session.Commit(*temporary, destination);
  }
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
