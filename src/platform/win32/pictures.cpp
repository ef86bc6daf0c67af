#include "platform/win32/pictures.h"

#include "resources/resource.h"

namespace tassefiche {

namespace {

int ResourceOf(Picture picture) {
  switch (picture) {
    case Picture::kProgramIcon:
      return IDI_TASSEFICHE;
    case Picture::kCompress:
      return IDI_COMPRESS;
    case Picture::kNewFolder:
      return IDI_NEW_FOLDER;
    case Picture::kHelp:
      return IDI_HELP;
    case Picture::kAbout:
      return IDI_ABOUT;
    case Picture::kQuit:
      return IDI_QUIT;
    case Picture::kDonation:
      return IDR_DONATION;
    case Picture::kNone:
      break;
  }
  return 0;
}

int PlainResourceOf(Picture picture) {
  switch (picture) {
    case Picture::kProgramIcon:
      return IDI_TASSEFICHE_PLAIN;
    case Picture::kCompress:
      return IDI_COMPRESS_PLAIN;
    case Picture::kNewFolder:
      return IDI_NEW_FOLDER_PLAIN;
    case Picture::kHelp:
      return IDI_HELP_PLAIN;
    case Picture::kAbout:
      return IDI_ABOUT_PLAIN;
    case Picture::kQuit:
      return IDI_QUIT_PLAIN;
    case Picture::kDonation:
    case Picture::kNone:
      break;
  }
  return 0;
}

HICON LoadIconAt(int resource, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

HICON PictureCache::Get(Picture picture, int size) {
  const auto key = std::make_tuple(picture, size, false);
  if (const auto found = icons_.find(key); found != icons_.end()) return found->second;
  const int resource = ResourceOf(picture);
  HICON icon = nullptr;
  if (picture == Picture::kDonation) {
    icon = DecodedPicture(resource);
  } else if (resource != 0) {
    icon = LoadIconAt(resource, size);
  }
  icons_[key] = icon;
  return icon;
}

HICON PictureCache::Plain(Picture picture, int size) {
  const auto key = std::make_tuple(picture, size, true);
  if (const auto found = icons_.find(key); found != icons_.end()) return found->second;
  const int resource = PlainResourceOf(picture);
  HICON icon = resource != 0 ? LoadIconAt(resource, size) : nullptr;
  icons_[key] = icon;
  return icon;
}

PictureCache::~PictureCache() {
  for (const auto& [key, icon] : icons_) {
    if (icon != nullptr) DestroyIcon(icon);
  }
}

HICON ProgramIcon(int size) {
  return LoadIconAt(IDI_TASSEFICHE, size);
}

HCURSOR PointingHand() {
  return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_POINTING_HAND));
}

}  // namespace tassefiche
