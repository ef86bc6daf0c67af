#include "cab/cabinet_directory.h"

#include <algorithm>
#include <array>

#include "cab/cabinet_format.h"
#include "cab/source_reader.h"
#include "cab/stored_names.h"
#include "common/format.h"

namespace codec {
namespace {

// Names are at most 255 bytes and their NUL in the format; a byte more is forgiven.
constexpr std::size_t kLongestName = 256;
constexpr std::size_t kDirectoryBuffer = std::size_t{64} * 1024;

bool AnyFolderMark(const CabinetDirectory& directory, std::uint16_t a, std::uint16_t b) {
  return std::any_of(directory.files.begin(), directory.files.end(),
                     [&](const FileRecord& file) { return file.folder == a || file.folder == b; });
}

}  // namespace

bool CabinetDirectory::ContinuesFromPrevious() const {
  return AnyFolderMark(*this, kFolderContinuedFromPrevious, kFolderContinuedBoth);
}

bool CabinetDirectory::ContinuesToNext() const {
  return AnyFolderMark(*this, kFolderContinuedToNext, kFolderContinuedBoth);
}

Error ReadCabinetDirectory(CabinetSource& source, CabinetDirectory& directory,
                           std::string& detail) {
  directory = {};
  SourceReader reader(source, 0, kDirectoryBuffer);
  std::array<std::uint8_t, kCabinetHeaderSize> head{};
  const auto truncated = [&](const char* where) {
    detail = std::string("le fichier s'arrête dans ") + where;
    return Error::kTruncated;
  };
  const auto bad = [&](const std::string& what) {
    detail = what;
    return Error::kBadHeader;
  };
  if (!reader.Read(head)) {
    if (!std::equal(std::begin(kCabinetSignature), std::end(kCabinetSignature), head.begin())) {
      return Error::kNotCompressed;
    }
    return truncated("son en-tête");
  }
  if (!std::equal(std::begin(kCabinetSignature), std::end(kCabinetSignature), head.begin())) {
    return Error::kNotCompressed;
  }
  const std::uint32_t files_offset = LoadLe32(&head[16]);
  const std::uint16_t folder_count = LoadLe16(&head[26]);
  const std::uint16_t file_count = LoadLe16(&head[28]);
  directory.flags = LoadLe16(&head[30]);
  directory.set_id = LoadLe16(&head[32]);
  directory.index = LoadLe16(&head[34]);

  std::uint8_t folder_reserve = 0;
  if ((directory.flags & kCabinetHasReserve) != 0) {
    std::array<std::uint8_t, 4> sizes{};
    if (!reader.Read(sizes)) return truncated("son en-tête");
    folder_reserve = sizes[2];
    directory.data_reserve = sizes[3];
    reader.Skip(LoadLe16(sizes.data()));
  }
  // The neighbours' cabinet and disk names; the disk names only label floppies.
  const auto read_names = [&](std::string& cabinet, const char* which) {
    std::string disk;
    for (std::string* name : {&cabinet, &disk}) {
      const SourceReader::StringRead got = reader.ReadString(kLongestName, *name);
      if (got == SourceReader::StringRead::kFileEnded) {
        return truncated("l'en-tête, au nom d'un cabinet voisin");
      }
      if (got == SourceReader::StringRead::kTooLong) {
        return bad(std::string("nom du cabinet ") + which + " trop long");
      }
    }
    return Error::kOk;
  };
  if ((directory.flags & kCabinetHasPrevious) != 0) {
    if (const Error e = read_names(directory.previous, "précédent"); e != Error::kOk) return e;
  }
  if ((directory.flags & kCabinetHasNext) != 0) {
    if (const Error e = read_names(directory.next, "suivant"); e != Error::kOk) return e;
  }

  directory.folders.resize(folder_count);
  for (FolderRecord& folder : directory.folders) {
    std::array<std::uint8_t, kCabinetFolderSize> record{};
    if (!reader.Read(record)) return truncated("la liste de ses dossiers");
    folder.data_offset = LoadLe32(record.data());
    folder.block_count = LoadLe16(&record[4]);
    folder.type = LoadLe16(&record[6]);
    reader.Skip(folder_reserve);
  }

  if (files_offset < reader.offset() && file_count != 0) {
    return bad("la liste des fichiers chevauche l'en-tête");
  }
  SourceReader files(source, files_offset, kDirectoryBuffer);
  directory.files.resize(file_count);
  for (FileRecord& file : directory.files) {
    std::array<std::uint8_t, kCabinetFileSize> record{};
    if (!files.Read(record)) return truncated("la liste de ses fichiers");
    file.size = LoadLe32(record.data());
    file.offset = LoadLe32(&record[4]);
    file.folder = LoadLe16(&record[8]);
    file.date = LoadLe16(&record[10]);
    file.time = LoadLe16(&record[12]);
    file.attributes = LoadLe16(&record[14]);
    std::string stored;
    const SourceReader::StringRead got = files.ReadString(kLongestName, stored);
    if (got == SourceReader::StringRead::kFileEnded) return truncated("la liste de ses fichiers");
    if (got == SourceReader::StringRead::kTooLong) {
      return bad("nom de fichier trop long dans la liste des fichiers");
    }
    file.name = DecodeStoredName(stored, (file.attributes & kAttributeNameIsUtf8) != 0);
  }
  return Error::kOk;
}

}  // namespace codec
