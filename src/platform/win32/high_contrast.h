// The user's choice of a high-contrast colour scheme, in which a program draws with the system
// colours only.
#pragma once

namespace tassefiche {

bool HighContrastChosen();

}  // namespace tassefiche
