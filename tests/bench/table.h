// The bench's text tables: a title, a header line, one line per row, the last row (the totals)
// under a rule; the first column left-aligned, the figures right-aligned.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bench {

template <typename Row>
struct Column {
  const char* title;
  std::function<std::string(const Row&)> cell;
};

std::string Fixed(double value, int decimals);
// MB/s (10^6 bytes), or nothing when there were no bytes or too little time to measure.
std::optional<double> Speed(std::uint64_t bytes, std::optional<double> seconds);
// A figure, or "-" when it is missing.
std::string Show(std::optional<double> value, int decimals);

template <typename Row>
void PrintTable(const char* title, const std::vector<Column<Row>>& columns,
                const std::vector<Row>& lines) {
  std::vector<std::vector<std::string>> cells;
  std::vector<std::size_t> widths;
  widths.reserve(columns.size());
  for (const Column<Row>& column : columns) {
    widths.push_back(std::string(column.title).size());
  }
  for (const Row& line : lines) {
    auto& row = cells.emplace_back();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      row.push_back(columns[c].cell(line));
      widths[c] = std::max(widths[c], row.back().size());
    }
  }
  const auto print_row = [&](const auto& text_of) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      std::printf(c == 0 ? "%-*s" : "  %*s", static_cast<int>(widths[c]), text_of(c).c_str());
    }
    std::printf("\n");
  };
  std::printf("\n%s\n", title);
  print_row([&](std::size_t c) { return std::string(columns[c].title); });
  for (std::size_t r = 0; r < cells.size(); ++r) {
    if (r + 1 == cells.size()) {
      print_row([&](std::size_t c) { return std::string(widths[c], '-'); });
    }
    print_row([&](std::size_t c) { return cells[r][c]; });
  }
}

}  // namespace bench
