#include "common/names.h"

#include <algorithm>
#include <cstddef>

namespace tools {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

std::size_t CountCharacters(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

// Position of the dot that starts the extension, or npos. A leading dot starts no extension.
std::size_t ExtensionDot(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == 0 ? std::string_view::npos : dot;
}

bool StorableText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsStorableNameChar);
}

// Drops the final mark, then a dot left at the end; a name that would vanish stays as it is.
std::string DropMark(std::string_view name, std::string_view marks) {
  if (name.empty() || marks.find(name.back()) == std::string_view::npos) {
    return std::string(name);
  }
  std::string_view kept = name.substr(0, name.size() - 1);
  if (!kept.empty() && kept.back() == '.') {
    kept.remove_suffix(1);
  }
  return kept.empty() ? std::string(name) : std::string(kept);
}

RestoredName RestoreKwaj(std::string_view compressed_name, const codec::Header& header) {
  const bool name_given = !header.kwaj_name.empty();
  const bool extension_given = !header.kwaj_extension.empty();
  const bool name_ok = StorableText(header.kwaj_name);
  const bool extension_ok = StorableText(header.kwaj_extension);
  const bool unusable = (name_given && !name_ok) || (extension_given && !extension_ok);
  if (unusable || (!name_given && !extension_given)) {
    return {DropMark(compressed_name, "_$"), unusable};
  }
  std::string stem = header.kwaj_name;
  if (!name_given) {
    stem = compressed_name.substr(0, ExtensionDot(compressed_name));
  }
  if (extension_given) {
    stem += "." + header.kwaj_extension;
  }
  return {stem, false};
}

}  // namespace

bool IsStorableNameChar(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code > 0x20 && code < 0x7F &&
         std::string_view("\\/:*?\"<>|.").find(c) == std::string_view::npos;
}

CompressedName RenameForCompression(std::string_view name) {
  const std::size_t dot = ExtensionDot(name);
  if (dot == std::string_view::npos) {
    return {std::string(name) + "._", 0};
  }
  const std::string_view extension = name.substr(dot + 1);
  if (extension.empty()) {
    return {std::string(name) + "_", 0};
  }
  const char last = name.back();
  if (CountCharacters(extension) < 3 || !IsStorableNameChar(last)) {
    return {std::string(name) + "_", 0};
  }
  std::string renamed(name);
  renamed.back() = '_';
  return {renamed, last};
}

RestoredName RestoreName(std::string_view compressed_name, const codec::Header* header) {
  if (header == nullptr) {
    return {std::string(compressed_name), false};
  }
  if (header->format == codec::Format::kKwaj) {
    return RestoreKwaj(compressed_name, *header);
  }
  const char lost = header->lost_char;
  const bool unusable = lost != 0 && !IsStorableNameChar(lost);
  if (lost == 0 || unusable) {
    return {DropMark(compressed_name, "_"), unusable};
  }
  std::string restored(compressed_name);
  if (!restored.empty() && restored.back() == '_') {
    restored.back() = lost;
  }
  return {restored, false};
}

}  // namespace tools
