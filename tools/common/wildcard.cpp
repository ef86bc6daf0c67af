#include "common/wildcard.h"

#include <string>

#include "shared/letter_case.h"
#include "shared/utf.h"
#include "shared/wildcard.h"

namespace tools {
namespace {

std::u32string UpperCased(std::string_view text) {
  return shared::ToUpper(shared::DecodeForComparison(text));
}

}  // namespace

bool HasWildcards(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  return shared::MatchUpperCased(UpperCased(pattern), UpperCased(name));
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return UpperCased(a) == UpperCased(b);
}

}  // namespace tools
