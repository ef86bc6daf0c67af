#include "expand/cabinet_writing.h"

#include <algorithm>

#include "common/failure.h"
#include "common/steps.h"

namespace tools {
namespace {

FileStamp StampOf(const codec::CabinetEntry& entry) {
  FileStamp stamp;
  stamp.year = 1980 + (entry.dos_date >> 9);
  stamp.month = std::clamp((entry.dos_date >> 5) & 0x0F, 1, 12);
  stamp.day = std::clamp(entry.dos_date & 0x1F, 1, 31);
  stamp.hour = std::min(entry.dos_time >> 11, 23);
  stamp.minute = std::min((entry.dos_time >> 5) & 0x3F, 59);
  stamp.second = std::min((entry.dos_time & 0x1F) * 2, 59);
  stamp.attributes = entry.attributes;
  return stamp;
}

}  // namespace

CabinetWriting::CabinetWriting(FileSystem& files, Session& session, std::string source,
                               const std::vector<codec::CabinetEntry>& entries,
                               std::map<std::size_t, PlannedFile> planned, bool single)
    : files_(files),
      session_(session),
      source_(std::move(source)),
      entries_(entries),
      planned_(std::move(planned)),
      single_(single) {}

// Outputs still open are dropped (their temporary files leave nothing), and folders made for
// nothing go again, innermost first.
CabinetWriting::~CabinetWriting() {
  open_.clear();
  for (auto folder = made_folders_.rbegin(); folder != made_folders_.rend(); ++folder) {
    files_.RemoveEmptyFolder(*folder);
  }
}

std::string CabinetWriting::Subject(std::size_t index) const {
  if (single_) return "« " + source_ + " » : ";
  return "« " + source_ + " » : « " + entries_[index].name + " » : ";
}

void CabinetWriting::MakeFolders(const PlannedFile& planned) {
  for (const std::string& folder : planned.folders) {
    if (files_.IsLink(folder)) {
      throw ToolError(Status::kDestination,
                      "« " + folder + " » est un lien : le nom stocké ne le suit pas, refusé");
    }
    if (files_.CreateFolder(folder)) {
      made_folders_.push_back(folder);
      continue;
    }
    const std::optional<FileInfo> info = files_.Stat(folder);
    if (!info || info->kind != FileKind::kFolder) {
      throw ToolError(Status::kDestination, "« " + folder + " » existe et n'est pas un dossier");
    }
  }
  if (!planned.folders.empty() && files_.IsLink(planned.path)) {
    throw ToolError(Status::kDestination,
                    "« " + planned.path + " » est un lien : le nom stocké ne le suit pas, refusé");
  }
}

codec::ByteSink* CabinetWriting::Begin(std::size_t index) {
  const auto planned = planned_.find(index);
  if (planned == planned_.end()) return nullptr;
  try {
    try {
      MakeFolders(planned->second);
    } catch (const IoError& error) {
      throw ToolError(Status::kDestination, error.what());
    }
    Output output{session_.CheckDestination(planned->second.path), {}, {}, {}};
    if (output.target.stream()) {
      output.stream = OpenTargetStream(files_, output.target);
      output.sink = std::make_unique<WriterSink>(*output.stream);
    } else {
      output.temporary = CreateTemporaryFor(files_, output.target);
      output.sink = std::make_unique<WriterSink>(*output.temporary);
    }
    return open_.insert_or_assign(index, std::move(output)).first->second.sink.get();
  } catch (const ToolError& error) {
    session_.Fail(error.status(), Subject(index) + error.what());
    return nullptr;
  }
}

void CabinetWriting::End(std::size_t index, codec::Error error, const std::string& detail) {
  const auto found = open_.find(index);
  try {
    if (error == codec::Error::kOk && found != open_.end()) {
      Finish(index, found->second);
    } else if (error != codec::Error::kOk) {
      std::string why(codec::ToText(error));
      const std::string& more = found != open_.end() && !found->second.sink->detail.empty()
                                    ? found->second.sink->detail
                                    : detail;
      if (!more.empty()) why += " (" + more + ")";
      const std::string left = found == open_.end()
                                   ? "rien n'a été écrit"
                                   : LeftBehind(found->second.target, found->second.sink->written);
      session_.Fail(StatusFor(error), Subject(index) + why + " ; " + left);
    }
  } catch (const ToolError& failure) {
    session_.Fail(failure.status(), Subject(index) + failure.what());
  }
  if (found != open_.end()) open_.erase(found);
}

void CabinetWriting::Finish(std::size_t index, Output& output) {
  const std::string& path = planned_.at(index).path;
  if (output.temporary) {
    FinishTemporary(*output.temporary);
    session_.Commit(*output.temporary, path);
    try {
      files_.ApplyStamp(path, StampOf(entries_[index]));
    } catch (const IoError& failure) {
      session_.Warn(Subject(index) + "écrit, mais " + failure.what());
    }
  }
  const std::string what = single_ ? source_ : source_ + " : " + entries_[index].name;
  session_.Tell(what + " -> " + path + " (" + std::to_string(output.sink->written) + " octets)");
}

}  // namespace tools
