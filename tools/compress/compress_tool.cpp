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

#include <algorithm>
#include <utility>

namespace tools {
namespace {

// The largest source each container holds, as the message says it.
struct Limit {
  std::uint64_t bytes;
  const char* text;
};
Limit LimitOf(Container container) {
  if (container == Container::kSzdd) return {codec::kSzddMaxLength, "4 294 967 295"};
  return {codec::kCabinetMaxFileSize, "2 147 450 880"};
}

[[noreturn]] void RefuseTooLarge(const std::string& source, std::uint64_t size, Limit limit) {
  throw ToolError(StatusFor(codec::Error::kTooLarge),
                  "« " + source + " » : " + std::string(codec::ToText(codec::Error::kTooLarge)) +
                      " (" + std::to_string(size) + " octets ; " + limit.text +
                      " au plus) ; rien n'a été écrit");
}

const char* MethodName(Container container) {
  switch (container) {
    case Container::kSzdd:
      return "SZDD";
    case Container::kCabinetMsZip:
      return "cabinet MSZIP";
    case Container::kCabinetLzx:
      return "cabinet LZX";
  }
  return "?";
}

// A date that a cabinet's two-byte fields can hold: 1980 to 2107, seconds by pairs.
std::pair<std::uint16_t, std::uint16_t> DosDateTime(const FileStamp& stamp) {
  if (stamp.year < 1980) return {(1 << 5) | 1, 0};
  const int year = std::min(stamp.year, 2107) - 1980;
  return {
      static_cast<std::uint16_t>((year << 9) | (stamp.month << 5) | stamp.day),
      static_cast<std::uint16_t>((stamp.hour << 11) | (stamp.minute << 5) | (stamp.second / 2))};
}

Compression CompressionFor(const Arguments& arguments, const std::string& source_name,
                           const FileInfo& info, char lost_char) {
  Compression compression;
  compression.container = arguments.container;
  compression.length = info.size;
  compression.lost_char = lost_char;
  compression.window_bits = arguments.lzx_window_bits;
  const auto [date, time] = DosDateTime(info.stamp);
  compression.cabinet = {source_name, info.size, date, time, info.stamp.attributes};
  return compression;
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
  if (info.size > LimitOf(arguments.container).bytes) {
    RefuseTooLarge(job.source, info.size, LimitOf(arguments.container));
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

  Compression compression =
      CompressionFor(arguments, source_name, info, arguments.rename ? renamed.lost_char : '\0');
  PassResult result;
  if (target.stream()) {
    if (compression.container != Container::kSzdd) {
      // A cabinet's header holds its size: a first pass tells it, a stream cannot be rewritten.
      const PassResult measured = ReadingSource([&] { return MeasurePass(*source, compression); });
      CheckPass(job.source, measured, LeftBehind(target, 0));
      compression.cabinet_size = static_cast<std::uint32_t>(measured.written);
      ReadingSource([&] {
        source->Rewind();
        return true;
      });
    }
    // Checked as it goes, against the source read a second time: a stream cannot be read back.
    const std::unique_ptr<InputFile> original = OpenSource(files, job.source);
    const std::unique_ptr<Writer> stream = OpenTargetStream(files, target);
    result = ReadingSource(
        [&] { return CompressCheckedPass(*source, compression, *original, *stream); });
    CheckPass(job.source, result, LeftBehind(target, result.written));
  } else {
    const std::unique_ptr<TemporaryFile> temporary = CreateTemporaryFor(files, target);
    result = ReadingSource([&] { return CompressPass(*source, compression, *temporary); });
    CheckPass(job.source, result, LeftBehind(target, 0));
    if (!result.header.empty()) {
      WriteHeader(*temporary, result.header);
    }
    FinishTemporary(*temporary);
    Verify(job.source, *source, *temporary, target);
    session.Commit(*temporary, destination);
  }
  session.Tell(job.source + " -> " + destination + " (" + std::to_string(info.size) + " -> " +
               std::to_string(result.written) + " octets, " + MethodName(compression.container) +
               ")");
}

}  // namespace

int RunCompress(std::span<const std::string> words, FileSystem& files) {
  return RunTool(words, files, Tool::kCompress, "COMPRESS", CompressHelp,
                 [&](const Job& job, const Arguments& arguments, Session& session) {
                   CompressOne(job, arguments, files, session);
                 });
}

}  // namespace tools
