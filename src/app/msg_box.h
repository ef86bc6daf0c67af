// The message box as the handlers call it: a box shown without a title of its own carries the
// application title.
#pragma once

#include <string_view>

#include "app/app_identity.h"
#include "platform/dialogs.h"

namespace tassefiche {

inline MsgBoxResult MsgBox(Dialogs& dialogs, std::wstring_view text, int style = kMsgOkOnly,
                           std::wstring_view title = {}) {
  return dialogs.MsgBox(text, style, title.empty() ? kAppTitle : title);
}

}  // namespace tassefiche
