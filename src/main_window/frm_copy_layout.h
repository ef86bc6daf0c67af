// The main window's layout table: every control with its kind, container, caption, place and size
// in twips, tab index, font and initial state.
#pragma once

#include "platform/control_layout.h"

namespace tassefiche {

extern const FormLayout kFrmCopyLayout;

}  // namespace tassefiche
