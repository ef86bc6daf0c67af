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

std::optional<FileInfo> Session::CheckDestination(const std::string& destination) {
  std::optional<FileInfo> info;
  try {
    info = files_.Stat(destination);
  } catch (const IoError& error) {
    throw ToolError(Status::kDestination, error.what());
  }
  if (!info) {
    return info;
  }
  if (info->is_folder) {
    throw ToolError(Status::kDestination, "« " + destination + " » est un dossier");
  }
  if (std::find(sources_.begin(), sources_.end(), info->id) != sources_.end()) {
    throw ToolError(Status::kDestination,
                    "« " + destination + " » est un fichier source de cette commande : refusé");
  }
  if (std::find(written_.begin(), written_.end(), info->id) != written_.end()) {
    throw ToolError(Status::kDestination,
                    "« " + destination + " » vient d'être écrit par cette commande : refusé");
  }
  return info;
}

void Session::Commit(TemporaryFile& temporary, const std::string& destination) {
  CheckDestination(destination);
  try {
    temporary.Commit(destination);
  } catch (const IoError& error) {
    throw ToolError(StatusFor(codec::Error::kOutputFailed), error.what());
  }
  try {
    if (const auto info = files_.Stat(destination)) {
      written_.push_back(info->id);
    }
  } catch (const IoError&) {
    // Written all the same; only the guard against a second write to it is lost.
  }
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
