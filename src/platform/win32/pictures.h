// The pictures of the graphical buttons and of the images, loaded from the program's resources: the
// icons at the size the DPI asks for (32x32 at 96 DPI), the donation picture at its own size (the
// view stretches it), both as icons so that one drawing call shows them with their transparency;
// and the plain drawings of the button pictures.
#pragma once

#include <windows.h>

#include <map>
#include <tuple>

#include "platform/control_layout.h"

namespace tassefiche {

class PictureCache {
 public:
  PictureCache() = default;
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  HICON Get(Picture picture, int size);
  // The plain line drawing of a button's picture, for high contrast: its lines opaque, in one
  // colour that the button draws in its own.
  HICON Plain(Picture picture, int size);

 private:
  std::map<std::tuple<Picture, int, bool>, HICON> icons_;
};

// The program icon, for the window's title bar and task bar.
HICON ProgramIcon(int size);

// The pointing hand over what can be clicked (a shared cursor: never destroyed).
HCURSOR PointingHand();

// A GIF of the resources (raw data) decoded by the platform's imaging component into a 32-bit icon
// of its own size, its transparent colour transparent; nullptr when it cannot be decoded.
HICON DecodedPicture(int resource);

}  // namespace tassefiche
