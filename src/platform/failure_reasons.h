// The French reason that goes with a kind of platform failure, in the platform's own words: what
// the in-memory platform gives, and what the real one falls back on when the system has no French
// text.
#pragma once

#include <string_view>

#include "platform/platform_error.h"

namespace tassefiche {

// Empty for FailureKind::kOther.
std::wstring_view FrenchReason(FailureKind kind);

}  // namespace tassefiche
