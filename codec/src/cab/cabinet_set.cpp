#include <algorithm>
#include <set>
#include <tuple>

#include "cab/block_decoders.h"
#include "cab/cabinet_directory.h"
#include "cab/cabinet_format.h"
#include "cab/folder_blocks.h"
#include "cab/folder_extraction.h"
#include "codec/codec.h"
#include "common/block_codec.h"

namespace codec {
namespace {

struct LoadedCabinet {
  std::string name;
  std::unique_ptr<CabinetSource> source;
  CabinetDirectory directory;
};

// A folder whole: its parts in consecutive cabinets of the set.
struct Folder {
  std::uint16_t type = 0;
  std::vector<std::pair<std::size_t, std::size_t>> parts;  // (cabinet, folder record) in order
  Error problem = Error::kOk;  // what keeps it from being decoded at all
  std::string problem_detail;
  const std::string* missing_next = nullptr;  // it runs into a cabinet that could not be had
};

struct Place {
  std::size_t folder = 0;
  std::uint32_t offset = 0;
};

}  // namespace

struct CabinetSet::State {
  std::vector<LoadedCabinet> cabinets;  // in set order
  std::vector<Folder> folders;
  std::vector<std::vector<std::size_t>> folder_of;  // by cabinet and folder record
  std::vector<CabinetEntry> entries;
  std::vector<Place> places;  // one per entry
  std::vector<std::string> notes;
  std::string missing_previous;  // the cabinet before the first, when needed and not found
  std::string missing_next;      // the cabinet after the last, when named and not found

  enum class Link : std::uint8_t { kNext, kEarlier };
  // Loads the cabinet `name` that `from` names as its next one (the one just after it in the set)
  // or as its previous one (some cabinet before it: writers name the cabinet where the first
  // file began), or notes why it cannot be had.
  bool Load(const LoadedCabinet& from, const std::string& name, Link link, CabinetOpener& opener,
            LoadedCabinet& loaded);
  // The cabinets from the one the first loaded cabinet names as previous up to the one before it.
  bool LoadEarlier(CabinetOpener& opener, std::vector<LoadedCabinet>& earlier);
  void MakeFolders();
  void MakeEntries();
  void ExtractFolder(std::size_t folder, std::span<const std::size_t> chosen,
                     CabinetTarget& target);
};

bool CabinetSet::State::Load(const LoadedCabinet& from, const std::string& name, Link link,
                             CabinetOpener& opener, LoadedCabinet& loaded) {
  const std::string named = "« " + name + " »";
  loaded.name = name;
  loaded.source = opener.Open(name);
  if (loaded.source == nullptr) {
    notes.push_back("cabinet " + named + " introuvable");
    return false;
  }
  std::string detail;
  if (const Error e = ReadCabinetDirectory(*loaded.source, loaded.directory, detail);
      e != Error::kOk) {
    notes.push_back("cabinet " + named + " illisible : " + std::string(ToText(e)) +
                    (detail.empty() ? "" : " (" + detail + ")"));
    return false;
  }
  // Indexes only grow along next links and only fall along previous ones, so no set of cabinets
  // can have us loop.
  const bool in_place = link == Link::kNext ? loaded.directory.index == from.directory.index + 1
                                            : loaded.directory.index < from.directory.index;
  if (loaded.directory.set_id != from.directory.set_id || !in_place) {
    notes.push_back("« " + name + " » n'est pas la suite de « " + from.name +
                    " » : il appartient à un autre ensemble de cabinets");
    return false;
  }
  return true;
}

CabinetSet::CabinetSet() : state_(std::make_unique<State>()) {}
CabinetSet::~CabinetSet() = default;

Error CabinetSet::Open(std::unique_ptr<CabinetSource> first, const std::string& first_name,
                       CabinetOpener& opener) {
  State& s = *state_;
  s = State{};
  LoadedCabinet loaded{first_name, std::move(first), {}};
  std::string detail;
  if (const Error e = ReadCabinetDirectory(*loaded.source, loaded.directory, detail);
      e != Error::kOk) {
    s.notes.push_back(detail);
    return e;
  }
  s.cabinets.push_back(std::move(loaded));

  // Back to the set's first cabinet, then forward to its last: the set is read whole, whichever
  // of its cabinets was named, as far as its cabinets can be found.
  while ((s.cabinets.front().directory.flags & kCabinetHasPrevious) != 0) {
    std::vector<LoadedCabinet> earlier;
    if (!s.LoadEarlier(opener, earlier)) break;
    s.cabinets.insert(s.cabinets.begin(), std::make_move_iterator(earlier.begin()),
                      std::make_move_iterator(earlier.end()));
  }
  while ((s.cabinets.back().directory.flags & kCabinetHasNext) != 0) {
    const LoadedCabinet& back = s.cabinets.back();
    LoadedCabinet next;
    if (!s.Load(back, back.directory.next, State::Link::kNext, opener, next)) {
      s.missing_next = back.directory.next;
      break;
    }
    s.cabinets.push_back(std::move(next));
  }
  s.MakeFolders();
  s.MakeEntries();
  return Error::kOk;
}

bool CabinetSet::State::LoadEarlier(CabinetOpener& opener, std::vector<LoadedCabinet>& earlier) {
  const LoadedCabinet& front = cabinets.front();
  LoadedCabinet previous;
  if (!Load(front, front.directory.previous, Link::kEarlier, opener, previous)) {
    missing_previous = front.directory.previous;
    return false;
  }
  earlier.push_back(std::move(previous));
  while (earlier.back().directory.index + 1 < front.directory.index) {
    const LoadedCabinet& last = earlier.back();
    LoadedCabinet next;
    if ((last.directory.flags & kCabinetHasNext) == 0 ||
        !Load(last, last.directory.next, Link::kNext, opener, next)) {
      missing_previous = last.directory.next;
      return false;
    }
    earlier.push_back(std::move(next));
  }
  return true;
}

void CabinetSet::State::MakeFolders() {
  folder_of.resize(cabinets.size());
  for (std::size_t c = 0; c < cabinets.size(); ++c) {
    const CabinetDirectory& directory = cabinets[c].directory;
    for (std::size_t f = 0; f < directory.folders.size(); ++f) {
      // A cabinet's first folder carries on the previous cabinet's last one when files run
      // between them.
      const bool carried_on =
          f == 0 && c > 0 &&
          (directory.ContinuesFromPrevious() || cabinets[c - 1].directory.ContinuesToNext()) &&
          !folders.empty();
      if (carried_on) {
        folders.back().parts.emplace_back(c, f);
        folder_of[c].push_back(folders.size() - 1);
        continue;
      }
      Folder folder;
      folder.type = directory.folders[f].type;
      folder.parts.emplace_back(c, f);
      if (f == 0 && c == 0 && directory.ContinuesFromPrevious()) {
        folder.problem = Error::kMissingPart;
        folder.problem_detail =
            missing_previous.empty()
                ? "le début de ses données est dans un cabinet précédent, que rien ne nomme"
                : "le début de ses données est dans « " + missing_previous + " », introuvable";
      }
      MethodInfo info;
      if (folder.problem == Error::kOk && DescribeMethod(folder.type, info) != Error::kOk) {
        folder.problem = Error::kUnknownMethod;
        folder.problem_detail = "type de compression " + std::to_string(folder.type);
      }
      folders.push_back(std::move(folder));
      folder_of[c].push_back(folders.size() - 1);
    }
  }
  if (!missing_next.empty() && cabinets.back().directory.ContinuesToNext() && !folders.empty()) {
    folders.back().missing_next = &missing_next;
  }
}

void CabinetSet::State::MakeEntries() {
  struct Listed {
    CabinetEntry entry;
    Place place;
  };
  std::vector<Listed> listed;
  // What each entry is known by, to find the second listing of a file that runs between two
  // cabinets.
  std::set<std::tuple<std::size_t, std::uint32_t, std::uint32_t, std::string>> known;
  for (std::size_t c = 0; c < cabinets.size(); ++c) {
    const CabinetDirectory& directory = cabinets[c].directory;
    const std::size_t count = directory.folders.size();
    for (const FileRecord& file : directory.files) {
      CabinetEntry entry;
      entry.name = file.name;
      entry.size = file.size;
      entry.dos_date = file.date;
      entry.dos_time = file.time;
      entry.attributes = static_cast<std::uint16_t>(file.attributes & ~kAttributeNameIsUtf8);
      entry.cabinet = cabinets[c].name;
      const bool from_previous =
          file.folder == kFolderContinuedFromPrevious || file.folder == kFolderContinuedBoth;
      const bool to_next =
          file.folder == kFolderContinuedToNext || file.folder == kFolderContinuedBoth;
      std::size_t record = file.folder;
      if (from_previous) record = 0;
      if (file.folder == kFolderContinuedToNext) record = count - 1;
      if (count == 0 || record >= count) {
        entry.problem = Error::kBadHeader;
        entry.problem_detail = "rattaché à un dossier qui n'existe pas";
        listed.push_back({std::move(entry), {folders.size(), 0}});
        continue;
      }
      const Place place{folder_of[c][record], file.offset};
      // A file that runs between two cabinets is listed by both: keep the first listing.
      const bool listed_before =
          !known.emplace(place.folder, place.offset, entry.size, entry.name).second;
      if (from_previous && c > 0 && listed_before) continue;
      const Folder& folder = folders[place.folder];
      MethodInfo info;
      DescribeMethod(folder.type, info);
      entry.method = info.method;
      entry.window_bits = info.window_bits;
      entry.quantum_level = info.quantum_level;
      if (folder.problem != Error::kOk) {
        entry.problem = folder.problem;
        entry.problem_detail = folder.problem_detail;
      } else if (to_next && folder.missing_next != nullptr) {
        entry.problem = Error::kMissingPart;
        entry.problem_detail =
            "la suite de ses données est dans « " + missing_next + " », introuvable";
      }
      listed.push_back({std::move(entry), place});
    }
  }
  std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
    return std::tie(a.place.folder, a.place.offset) < std::tie(b.place.folder, b.place.offset);
  });
  for (Listed& item : listed) {
    entries.push_back(std::move(item.entry));
    places.push_back(item.place);
  }
}

const std::vector<CabinetEntry>& CabinetSet::entries() const {
  return state_->entries;
}
const std::vector<std::string>& CabinetSet::notes() const {
  return state_->notes;
}

void CabinetSet::Extract(const std::vector<bool>& chosen, CabinetTarget& target) {
  State& s = *state_;
  // The chosen entries of each folder, in the order of their data.
  std::vector<std::vector<std::size_t>> by_folder(s.folders.size());
  for (std::size_t i = 0; i < s.entries.size() && i < chosen.size(); ++i) {
    if (!chosen[i]) continue;
    const CabinetEntry& entry = s.entries[i];
    if (entry.problem != Error::kOk) {
      target.End(i, entry.problem, entry.problem_detail);
    } else {
      by_folder[s.places[i].folder].push_back(i);
    }
  }
  for (std::size_t folder = 0; folder < s.folders.size(); ++folder) {
    if (!by_folder[folder].empty()) s.ExtractFolder(folder, by_folder[folder], target);
  }
}

void CabinetSet::State::ExtractFolder(std::size_t folder_index, std::span<const std::size_t> chosen,
                                      CabinetTarget& target) {
  const Folder& folder = folders[folder_index];
  std::vector<ChosenFile> files;
  for (const std::size_t index : chosen) {
    files.push_back({index, places[index].offset, entries[index].size});
  }
  MethodInfo info;
  DescribeMethod(folder.type, info);
  const std::unique_ptr<BlockDecoder> decoder = MakeBlockDecoder(info);
  if (decoder == nullptr) {
    for (const std::size_t index : chosen) {
      target.End(index, Error::kUnknownMethod, "méthode non prise en charge");
    }
    return;
  }
  std::vector<FolderSegment> segments;
  for (const auto& [cabinet, record] : folder.parts) {
    segments.push_back({cabinets[cabinet].source.get(), &cabinets[cabinet].name,
                        cabinets[cabinet].directory.folders[record],
                        cabinets[cabinet].directory.data_reserve});
  }
  FolderBlocks blocks(std::move(segments), folder.missing_next);
  ExtractFolderData(blocks, *decoder, folder.missing_next, files, target);
}

}  // namespace codec
