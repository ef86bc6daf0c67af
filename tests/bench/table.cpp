#include "table.h"

#include <array>

namespace bench {

std::string Fixed(double value, int decimals) {
  std::array<char, 48> text{};
  std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
  return text.data();
}

std::optional<double> Speed(std::uint64_t bytes, std::optional<double> seconds) {
  if (bytes == 0 || !seconds || *seconds <= 0) return std::nullopt;
  return static_cast<double>(bytes) / *seconds / 1e6;
}

std::string Show(std::optional<double> value, int decimals) {
  return value ? Fixed(*value, decimals) : "-";
}

}  // namespace bench
