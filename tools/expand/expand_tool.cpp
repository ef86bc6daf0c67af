#include "expand/expand_tool.h"

#include "common/arguments.h"
#include "common/console.h"
#include "common/names.h"
#include "common/paths.h"
#include "common/plan.h"
#include "common/session.h"
#include "common/source_name.h"
#include "common/steps.h"
#include "expand/cabinet_expansion.h"
#include "expand/expand_help.h"

namespace tools {
namespace {

std::string FormatName(const codec::Header& header) {
  switch (header.format) {
    case codec::Format::kSzdd:
      return "SZDD";
    case codec::Format::kSzddQBasic:
      return "SZDD (QBasic)";
    case codec::Format::kKwaj:
      return "KWAJ méthode " + std::to_string(header.kwaj_method);
    case codec::Format::kCabinet:
      return "cabinet";
  }
  return "?";
}

// One line of the -D listing.
std::string Describe(const std::string& source, const Probe& probe, std::uint64_t size,
                     const std::string& destination) {
  if (!probe.format) {
    return source + " : pas de signature connue, serait copié tel quel (" + std::to_string(size) +
           " octets) -> " + destination;
  }
  const std::string length = probe.header.length ? std::to_string(*probe.header.length) + " octets"
                                                 : "taille d'origine non indiquée";
  return source + " : " + FormatName(probe.header) + ", " + length + " -> " + destination;
}

// Expands (or copies, without a signature) the whole source into `out`.
PassResult ExpandInto(InputFile& source, const codec::Header* header, Writer& out) {
  return ReadingSource([&] {
    source.Rewind();
    return header != nullptr ? ExpandPass(source, out) : CopyPass(source, out);
  });
}

void ExpandOne(const Job& job, const Arguments& arguments, FileSystem& files, Session& session,
               CabinetsRead& cabinets_read) {
  std::unique_ptr<InputFile> source = OpenSource(files, job.source);
  if (IsCabinetFile(*source)) {
    ExpandCabinet(job, arguments, files, session, std::move(source), cabinets_read);
    return;
  }
  const Probe probe = ReadingSource([&] { return ProbeHeader(*source); });
  if (probe.error != codec::Error::kOk) {
    // Into a folder, the name would have come from the header: nothing of that name was touched.
    ThrowPassFailure(job.source, {probe.error, probe.detail, false, 0, {}},
                     job.into_folder ? "rien n'a été écrit" : Untouched(files, job.destination));
  }
  const codec::Header* header = probe.format ? &probe.header : nullptr;

  std::string destination = job.destination;
  if (job.into_folder) {
    const RestoredName restored = RestoreName(SourceName(files, job.source), header);
    destination = JoinPath(job.destination, restored.name, kNativeStyle);
    if (restored.header_name_unusable) {
      session.Warn("« " + job.source +
                   " » : le nom gardé dans l'en-tête n'est pas utilisable ; nom retenu : « " +
                   restored.name + " »");
    }
  }
  if (arguments.dated) {
    session.Tell(Describe(job.source, probe, source->info().size, destination));
    return;
  }

  const Target target = session.CheckDestination(destination);
  PassResult result;
  if (target.stream()) {
    const std::unique_ptr<Writer> stream = OpenTargetStream(files, target);
    result = ExpandInto(*source, header, *stream);
    if (result.error != codec::Error::kOk) {
      ThrowPassFailure(job.source, result, LeftBehind(target, result.written));
    }
  } else {
    const std::unique_ptr<TemporaryFile> temporary = CreateTemporaryFor(files, target);
    result = ExpandInto(*source, header, *temporary);
    if (result.error != codec::Error::kOk) {
      ThrowPassFailure(job.source, result, LeftBehind(target, 0));
    }
    FinishTemporary(*temporary);
    session.Commit(*temporary, destination);
  }
  if (header == nullptr) {
    session.Warn("« " + job.source + " » n'a pas de signature connue : copié tel quel dans « " +
                 destination + " »");
  } else {
    session.Tell(job.source + " -> " + destination + " (" + std::to_string(result.written) +
                 " octets)");
  }
}

}  // namespace

int RunExpand(std::span<const std::string> words, FileSystem& files) {
  CabinetsRead cabinets_read;
  return RunTool(words, files, Tool::kExpand, "EXPAND", ExpandHelp,
                 [&](const Job& job, const Arguments& arguments, Session& session) {
                   ExpandOne(job, arguments, files, session, cabinets_read);
                 });
}

}  // namespace tools
