// The drive list: a drop-down list of the drive designations.
#include "platform/drive_list.h"
#include "platform/win32/views.h"

namespace tassefiche {

void DriveListView::ShowAspect(Aspect aspect) {
  const auto& list = static_cast<const DriveList&>(control_);
  if (aspect == Aspect::kEntries) {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : list.Entries()) {
      SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
  }
  SendMessageW(hwnd_, CB_SETCURSEL, list.ListIndex(), 0);
}

void DriveListView::OnCommand(WORD code) {
  if (code != CBN_SELCHANGE) return;
  const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
  if (index >= 0) static_cast<DriveList&>(control_).Pick(static_cast<std::size_t>(index));
}

}  // namespace tassefiche
