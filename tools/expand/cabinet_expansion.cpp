#include "expand/cabinet_expansion.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "common/failure.h"
#include "common/paths.h"
#include "common/steps.h"
#include "common/stored_paths.h"
#include "common/wildcard.h"
#include "expand/cabinet_files.h"
#include "expand/cabinet_writing.h"
#include "shared/letter_case.h"
#include "shared/utf.h"

namespace tools {
namespace {

std::string MethodText(const codec::CabinetEntry& entry) {
  const std::string window = "fenêtre de 2^" + std::to_string(entry.window_bits) + " octets";
  switch (entry.method) {
    case codec::CabinetMethod::kStored:
      return "stocké";
    case codec::CabinetMethod::kMsZip:
      return "MSZIP";
    case codec::CabinetMethod::kQuantum:
      return "Quantum niveau " + std::to_string(entry.quantum_level) + ", " + window;
    case codec::CabinetMethod::kLzx:
      return "LZX, " + window;
  }
  return "?";
}

std::string DateText(const codec::CabinetEntry& entry) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", entry.dos_date & 0x1F,
                (entry.dos_date >> 5) & 0x0F, 1980 + (entry.dos_date >> 9), entry.dos_time >> 11,
                (entry.dos_time >> 5) & 0x3F, (entry.dos_time & 0x1F) * 2);
  return text;
}

std::string WithBackslashes(std::string text) {
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

// -F patterns match the stored name with its folders, or its last part alone.
bool Matches(const std::string& filter, const std::string& stored) {
  const std::string name = WithBackslashes(stored);
  const std::string pattern = WithBackslashes(filter);
  const std::size_t cut = name.rfind('\\');
  return WildcardMatch(pattern, name) ||
         (cut != std::string::npos && WildcardMatch(pattern, name.substr(cut + 1)));
}

std::string Quoted(const std::string& text) {
  return "« " + text + " »";
}

// A path without regard to case, for two stored names that land on one file.
std::u32string CaselessKey(const std::string& path) {
  return shared::ToUpper(shared::DecodeForComparison(path));
}

struct CabinetPlan {
  std::vector<bool> chosen;
  std::map<std::size_t, PlannedFile> files;
  std::string root;  // where a cabinet of several files goes
};

// Which files are extracted (the -F patterns), and where each goes. Reports each refusal.
CabinetPlan PlanFiles(const Job& job, const Arguments& arguments, FileSystem& files,
                      Session& session, const std::string& source,
                      const std::vector<codec::CabinetEntry>& entries) {
  CabinetPlan plan;
  plan.chosen.assign(entries.size(), arguments.filters.empty());
  for (const std::string& filter : arguments.filters) {
    bool any = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (Matches(filter, entries[i].name)) plan.chosen[i] = any = true;
    }
    if (!any) {
      session.Fail(Status::kSource,
                   "aucun fichier de " + Quoted(source) + " ne correspond à -F:" + filter);
    }
  }
  const bool single = entries.size() == 1;
  if (single) {
    if (!plan.chosen[0]) return plan;
    if (!job.into_folder) {
      plan.files[0] = {job.destination, {}};
      return plan;
    }
    const StoredPath stored = SafeStoredPath(entries[0].name);
    if (stored.parts.empty()) {
      session.Fail(Status::kDestination, Quoted(source) + " : le nom stocké " +
                                             Quoted(entries[0].name) +
                                             " est refusé : " + stored.refusal);
      return plan;
    }
    plan.files[0] = {JoinPath(job.destination, stored.parts.back(), kNativeStyle), {}};
    return plan;
  }

  plan.root = job.destination;
  std::vector<std::string> root_folders;
  if (!job.into_folder) {
    if (ReadingSource([&] { return files.Stat(job.destination).has_value(); })) {
      throw ToolError(Status::kDestination,
                      Quoted(job.destination) + " existe et n'est pas un dossier, et " +
                          Quoted(source) + " contient " + std::to_string(entries.size()) +
                          " fichiers, qui demandent un dossier : rien n'a été écrit");
    }
    root_folders.push_back(job.destination);
  }
  std::set<std::u32string> taken;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!plan.chosen[i]) continue;
    const StoredPath stored = SafeStoredPath(entries[i].name);
    if (stored.parts.empty()) {
      session.Fail(Status::kDestination, Quoted(source) + " : " + Quoted(entries[i].name) +
                                             " est refusé : " + stored.refusal);
      continue;
    }
    PlannedFile planned{plan.root, root_folders};
    for (std::size_t p = 0; p < stored.parts.size(); ++p) {
      planned.path = JoinPath(planned.path, stored.parts[p], kNativeStyle);
      if (p + 1 < stored.parts.size()) planned.folders.push_back(planned.path);
    }
    if (!taken.insert(CaselessKey(planned.path)).second) {
      session.Fail(Status::kDestination, Quoted(source) + " : " + Quoted(entries[i].name) +
                                             " donnerait le même fichier " + Quoted(planned.path) +
                                             " qu'un fichier précédent : refusé");
      continue;
    }
    plan.files[i] = std::move(planned);
  }
  return plan;
}

void List(const std::string& source, const std::vector<codec::CabinetEntry>& entries,
          const CabinetPlan& plan, Session& session) {
  std::string text = source + " : cabinet de " + std::to_string(entries.size()) +
                     (entries.size() == 1 ? " fichier" : " fichiers");
  if (entries.size() > 1 && !plan.root.empty()) text += " -> " + plan.root;
  session.Tell(text);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!plan.chosen[i]) continue;
    const codec::CabinetEntry& entry = entries[i];
    std::string line = "  " + entry.name + " : " + std::to_string(entry.size) + " octets, " +
                       DateText(entry) + ", " + MethodText(entry) + ", dans " + entry.cabinet;
    const auto planned = plan.files.find(i);
    if (planned != plan.files.end()) line += " -> " + planned->second.path;
    if (entry.problem != codec::Error::kOk) {
      line += " (" + std::string(codec::ToText(entry.problem)) + " : " + entry.problem_detail + ")";
    }
    session.Tell(line);
  }
}

}  // namespace

bool IsCabinetFile(InputFile& source) {
  std::uint8_t head[codec::kCabinetSignatureLength];
  const std::size_t got = ReadingSource([&] {
    const std::size_t read = source.ReadAt(0, head);
    source.Rewind();  // a read at an offset may move the file's position (Windows)
    return read;
  });
  return codec::IsCabinet(std::span(head, got));
}

void ExpandCabinet(const Job& job, const Arguments& arguments, FileSystem& files, Session& session,
                   std::unique_ptr<InputFile> source, CabinetsRead& read) {
  const FileId id = source->info().id;
  if (std::find(read.ids.begin(), read.ids.end(), id) != read.ids.end()) {
    session.Tell(job.source + " : cabinet d'un ensemble déjà décompressé par cette commande");
    return;
  }
  const PathParts parts = SplitPath(job.source, kNativeStyle);
  SiblingCabinets siblings(files, std::string(parts.folder));
  codec::CabinetSet set;
  const codec::Error opened = ReadingSource([&] {
    return set.Open(std::make_unique<FileCabinetSource>(std::move(source)), std::string(parts.name),
                    siblings);
  });
  read.ids.push_back(id);
  for (const FileId& other : siblings.opened()) {
    session.ProtectSource(other);
    read.ids.push_back(other);
  }
  if (opened != codec::Error::kOk) {
    const std::string note = set.notes().empty() ? "" : " (" + set.notes().front() + ")";
    throw ToolError(
        StatusFor(opened),
        Quoted(job.source) + " : " + std::string(codec::ToText(opened)) + note + " ; " +
            (job.into_folder ? "rien n'a été écrit" : Untouched(files, job.destination)));
  }
  for (const std::string& failure : siblings.failures())
    session.Warn(failure);
  for (const std::string& note : set.notes())
    session.Warn(Quoted(job.source) + " : " + note);

  const std::vector<codec::CabinetEntry>& entries = set.entries();
  if (entries.empty()) {
    session.Warn(Quoted(job.source) + " est un cabinet sans fichier : rien n'a été écrit");
    return;
  }
  CabinetPlan plan = PlanFiles(job, arguments, files, session, job.source, entries);
  if (arguments.dated) {
    List(job.source, entries, plan, session);
    return;
  }
  std::vector<bool> chosen(entries.size(), false);
  for (const auto& [index, planned] : plan.files)
    chosen[index] = true;
  CabinetWriting writing(files, session, job.source, entries, std::move(plan.files),
                         entries.size() == 1);
  ReadingSource([&] {
    set.Extract(chosen, writing);
    return true;
  });
}

}  // namespace tools
