// The about window's layout table: every control with its kind, caption, place and size in twips,
// tab index, font, colours, cursor and tooltip.
#pragma once

#include "platform/control_layout.h"

namespace tassefiche {

extern const FormLayout kFrmAboutLayout;

}  // namespace tassefiche
