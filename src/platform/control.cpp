#include "platform/control.h"

#include <stdexcept>

namespace tassefiche {

const ControlLayout& Control::Layout() const {
  if (layout_ == nullptr) throw std::logic_error("control without a layout row");
  return *layout_;
}

// As the platform's dialogs do: a disabled window loses the focus, and with it the keyboard would
// reach no control of the window until the user clicked one.
void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  if (!enabled && form_ != nullptr) form_->PassFocusOn(*this);
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
