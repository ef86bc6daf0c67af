#include "platform/control.h"

#include <stdexcept>

namespace tassefiche {

const ControlLayout& Control::Layout() const {
  if (layout_ == nullptr) throw std::logic_error("control without a layout row");
  return *layout_;
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed(Aspect::kEnabled);
}

void Control::SetToolTipText(std::wstring_view text) {
  tool_tip_ = text;
  Changed(Aspect::kToolTip);
}

void Control::ApplyLayout(const ControlLayout& row) {
  layout_ = &row;
  SetEnabled(row.particulars.enabled);
  if (!row.particulars.tool_tip.empty()) SetToolTipText(row.particulars.tool_tip);
}

void Control::Changed(Aspect aspect) const {
  if (view_ != nullptr) view_->Show(aspect);
}

void Control::Raise(const Event& event) {
  if (event) event();
}

}  // namespace tassefiche
