#include "platform/window_order.h"

#include <algorithm>

namespace tassefiche {

std::vector<const ControlLayout*> WindowOrder(const FormLayout& layout,
                                              std::wstring_view container) {
  std::vector<const ControlLayout*> by_tab;
  for (const ControlLayout& row : layout.controls) {
    if (row.container == container) by_tab.push_back(&row);
  }
  std::stable_sort(
      by_tab.begin(), by_tab.end(),
      [](const ControlLayout* a, const ControlLayout* b) { return a->tab_index < b->tab_index; });
  std::vector<const ControlLayout*> order;
  for (const ControlLayout* row : by_tab) {
    if (!row->particulars.names.empty()) continue;  // placed with the control it names
    for (const ControlLayout* label : by_tab) {
      if (label->particulars.names == row->name) order.push_back(label);
    }
    order.push_back(row);
  }
  return order;
}

}  // namespace tassefiche
