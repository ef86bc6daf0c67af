#include "common/session.h"

#include <algorithm>

#include "common/console.h"

namespace tools {

Session::Session(FileSystem& files, std::string_view tool_name)
    : files_(files), tool_name_(tool_name) {}

void Session::ProtectSources(const Plan& plan) {
  for (const Job& job : plan.jobs) {
    try {
      if (const auto info = files_.Stat(job.source)) {
        sources_.push_back(info->id);
      }
    } catch (const IoError&) {
      // Unreadable sources fail when opened; they cannot be overwritten by us either way.
    }
  }
}

void Session::ProtectSource(const FileId& id) {
  sources_.push_back(id);
}

void CheckOptionsFor(Tool tool, const Arguments& arguments) {
  if (tool == Tool::kCompress && !arguments.filters.empty()) {
    throw ToolError(Status::kUsage, "l'option -F est celle d'EXPAND");
  }
  if (tool == Tool::kExpand && arguments.container != Container::kSzdd) {
    throw ToolError(Status::kUsage, "les options -Z et -ZX sont celles de COMPRESS");
  }
}

Target Session::CheckDestination(const std::string& destination) {
  Target target{destination, {}};
  try {
    target.existing = files_.Stat(destination);
  } catch (const IoError& error) {
    throw ToolError(Status::kDestination, error.what());
  }
  if (target.existing) {
    const FileInfo& info = *target.existing;
    const std::string named = "« " + destination + " »";
    if (info.kind == FileKind::kFolder) {
      throw ToolError(Status::kDestination, named + " est un dossier");
    }
    if (info.kind != FileKind::kRegular && !IsStream(info.kind)) {
      throw ToolError(Status::kDestination, named + " est " + KindText(info.kind) +
                                                ", qui ne peut pas recevoir le résultat : refusé");
    }
    if (std::find(sources_.begin(), sources_.end(), info.id) != sources_.end()) {
      throw ToolError(Status::kDestination,
                      named + " est un fichier source de cette commande : refusé");
    }
    if (std::find(written_.begin(), written_.end(), info.id) != written_.end()) {
      throw ToolError(Status::kDestination,
                      named + " vient d'être écrit par cette commande : refusé");
    }
    if (info.read_only) {
      throw ToolError(Status::kDestination,
                      named + " est protégé en écriture : refusé, il reste tel quel");
    }
  }
  if (!target.stream()) {
    try {
      target.path = files_.FollowLinks(destination);
    } catch (const IoError& error) {
      throw ToolError(Status::kDestination, error.what());
    }
  }
  return target;
}

void Session::Commit(TemporaryFile& temporary, const std::string& destination) {
  const Target target = CheckDestination(destination);
  if (target.stream()) {
    throw ToolError(Status::kDestination,
                    "« " + destination + " » a changé pendant l'opération : refusé");
  }
  try {
    temporary.Commit();
  } catch (const CommitError& error) {
    throw ToolError(StatusFor(codec::Error::kOutputFailed), error.what());
  } catch (const IoError& error) {
    throw ToolError(StatusFor(codec::Error::kOutputFailed),
                    std::string(error.what()) + " ; " + LeftBehind(target, 0));
  }
  try {
    if (const auto info = files_.Stat(destination)) {
      written_.push_back(info->id);
    }
  } catch (const IoError&) {
    // Written all the same; only the guard against a second write to it is lost.
  }
}

std::string LeftBehind(const Target& target, std::uint64_t streamed) {
  if (target.stream()) {
    if (streamed == 0) {
      return "rien n'a été écrit dans « " + target.path + " »";
    }
    return "sortie arrêtée après " + std::to_string(streamed) + " octets écrits dans « " +
           target.path + " »";
  }
  return target.existing ? "destination inchangée" : "rien n'a été écrit";
}

void Session::Fail(Status status, std::string_view message) {
  if (status_ == Status::kOk) {
    status_ = status;
  }
  WriteError(tool_name_ + " : " + std::string(message) + "\n");
}

void Session::Warn(std::string_view message) {
  WriteError(tool_name_ + " : " + std::string(message) + "\n");
}

void Session::Tell(std::string_view message) {
  WriteOut(std::string(message) + "\n");
}

}  // namespace tools
