// The order in which a form's window creates the controls of one container. The window system
// takes it as the tab order, and assistive technology names a control that has no text of its own
// after the label just before it. So the controls come in tab order, and each label that names a
// control comes just before that control: labels take no focus, so the focus still visits the
// controls exactly in tab order.
#pragma once

#include <string_view>
#include <vector>

#include "platform/control_layout.h"

namespace tassefiche {

// The rows of `container` (empty: the form itself) in window order. Rows without a tab index
// (images and lines) come first, in the table's order.
std::vector<const ControlLayout*> WindowOrder(const FormLayout& layout,
                                              std::wstring_view container);

}  // namespace tassefiche
