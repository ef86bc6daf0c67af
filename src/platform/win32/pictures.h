// The pictures of the graphical buttons, loaded from the program's resources at the size the DPI
// asks for (32x32 at 96 DPI).
#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "platform/control_layout.h"

namespace tassefiche {

class PictureCache {
 public:
  PictureCache() = default;
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  HICON Get(Picture picture, int size);

 private:
  std::map<std::pair<Picture, int>, HICON> icons_;
};

// The program icon, for the window's title bar and task bar.
HICON ProgramIcon(int size);

}  // namespace tassefiche
