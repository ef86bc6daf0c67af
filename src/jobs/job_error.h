// The failure block of both jobs: the box "Erreur", OK only, no icon, under the application title.
#pragma once

#include "app/msg_box.h"

namespace tassefiche {

inline void ShowJobError(Dialogs& dialogs) {
  MsgBox(dialogs, L"Erreur", kMsgOkOnly);
}

}  // namespace tassefiche
