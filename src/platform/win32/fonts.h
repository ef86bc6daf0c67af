// Fonts by face, size in points and weight, at a DPI. A face the system lacks is replaced by the
// nearest one it has, so that the window keeps its proportions on any system.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/control_layout.h"

namespace tassefiche {

class FontCache {
 public:
  FontCache() = default;
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  HFONT Get(const FontSpec& wanted, int dpi);

 private:
  std::map<std::tuple<std::wstring, int, bool, int>, HFONT> fonts_;
};

// The face itself when the system has it, else the nearest face it has.
std::wstring NearestFace(std::wstring_view face);

}  // namespace tassefiche
