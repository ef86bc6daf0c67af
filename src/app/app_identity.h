// Who the program is: the application title that message boxes without a title of their own carry,
// and the version numbers that the version record also carries.
#pragma once

#include <string_view>

namespace tassefiche {

inline constexpr std::wstring_view kAppTitle = L"Tassefiche";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 0;

}  // namespace tassefiche
