#include "platform/win32/fonts.h"

#include <cmath>
#include <vector>

namespace tassefiche {

namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFace(const std::wstring& face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  face.copy(query.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

std::wstring NearestFace(std::wstring_view face) {
  const std::wstring wanted(face);
  if (HasFace(wanted)) return wanted;
  // The classic dialog faces, in the order that keeps the look closest.
  const std::vector<std::wstring> nearest = {L"Microsoft Sans Serif", L"MS Shell Dlg 2", L"Tahoma",
                                             L"Segoe UI", L"Arial"};
  for (const std::wstring& candidate : nearest) {
    if (HasFace(candidate)) return candidate;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont.lfFaceName;
}

HFONT FontCache::Get(const FontSpec& wanted, int dpi) {
  const auto key = std::make_tuple(std::wstring(wanted.face), static_cast<int>(wanted.points * 100),
                                   wanted.bold, dpi);
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
  font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  NearestFace(wanted.face).copy(font.lfFaceName, LF_FACESIZE - 1);
  const HFONT handle = CreateFontIndirectW(&font);
  fonts_[key] = handle;
  return handle;
}

FontCache::~FontCache() {
  for (const auto& [key, font] : fonts_)
    DeleteObject(font);
}

}  // namespace tassefiche
