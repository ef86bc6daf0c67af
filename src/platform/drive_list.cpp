#include "platform/drive_list.h"

#include <algorithm>

#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {

std::wstring DriveDesignation(const DriveInfo& drive) {
  std::wstring text{static_cast<wchar_t>(drive.letter - L'A' + L'a'), L':'};
  if (!drive.label.empty()) text += L" [" + drive.label + L"]";
  return text;
}

DriveList::DriveList(std::wstring name, FileSystem& files)
    : Control(std::move(name)), files_(files) {
  const std::wstring current = files_.CurrentDirectory();
  letters_.push_back(current.empty() ? L'C' : ToUpper(current[0]));
  Refresh();
}

std::wstring DriveList::Drive() const {
  return entries_.empty() ? std::wstring() : entries_[current_];
}

void DriveList::Refresh() {
  const wchar_t current = letters_.empty() ? L'C' : letters_[current_];
  letters_.clear();
  entries_.clear();
  for (const DriveInfo& drive : files_.Drives()) {
    letters_.push_back(drive.letter);
    entries_.push_back(DriveDesignation(drive));
  }
  const auto found = std::find(letters_.begin(), letters_.end(), current);
  current_ = found == letters_.end() ? 0 : static_cast<std::size_t>(found - letters_.begin());
  Changed(Aspect::kEntries);
}

void DriveList::ShowDrive(wchar_t letter) {
  letter = ToUpper(letter);
  auto found = std::find(letters_.begin(), letters_.end(), letter);
  if (found == letters_.end()) {
    Refresh();
    found = std::find(letters_.begin(), letters_.end(), letter);
    if (found == letters_.end()) throw PlatformError("no such drive", FailureKind::kNotFound);
  }
  current_ = static_cast<std::size_t>(found - letters_.begin());
  Changed(Aspect::kSelection);
}

void DriveList::Pick(std::size_t index) {
  if (index >= entries_.size() || index == current_) return;
  current_ = index;
  Changed(Aspect::kSelection);
  Raise(on_change);
}

}  // namespace tassefiche
