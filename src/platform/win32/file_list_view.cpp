// The file list: an owner-data list view in one column, so that the window asks the control only
// for the names it draws and a folder of any size shows at once.
#include <windows.h>

#include <commctrl.h>

#include "platform/file_list.h"
#include "platform/text.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

void SetItemState(HWND list, int index, UINT state) {
  LVITEMW item{};
  item.stateMask = kSelectedFocused;
  item.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The first entry from `start` on (going round) whose name is the text sought, or begins with it
// when the list asks for a partial match (type-ahead).
LRESULT FindEntry(const FileList& list, const NMLVFINDITEMW& find) {
  if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr) return -1;
  const std::wstring_view sought = find.lvfi.psz;
  const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
  const std::size_t count = list.ListCount();
  const std::size_t start = find.iStart >= 0 ? static_cast<std::size_t>(find.iStart) : 0;
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t index = (start + step) % count;
    std::wstring_view name = list.List(index);
    if (partial && name.size() > sought.size()) name = name.substr(0, sought.size());
    if (EqualsNoCase(name, sought)) return static_cast<LRESULT>(index);
  }
  return -1;
}

}  // namespace

const wchar_t* FileListView::WindowClass() const {
  return WC_LISTVIEWW;
}

DWORD FileListView::Style() const {
  return LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
         WS_TABSTOP;
}

void FileListView::ShowAll() {
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(hwnd_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  ShowAspect(Aspect::kEntries);
}

void FileListView::ShowAspect(Aspect aspect) {
  const auto& list = static_cast<const FileList&>(control_);
  pushing_ = true;
  if (aspect == Aspect::kEntries) {
    SendMessageW(hwnd_, LVM_SETITEMCOUNT, list.ListCount(), 0);
    SetItemState(hwnd_, -1, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    FitColumn();
  } else if (aspect == Aspect::kSelection && list.ListIndex()) {
    const int index = static_cast<int>(*list.ListIndex());
    SetItemState(hwnd_, index, kSelectedFocused);
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
  }
  pushing_ = false;
}

void FileListView::Place(int dpi) {
  Win32View::Place(dpi);
  FitColumn();
}

void FileListView::FitColumn() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, 0, client.right - client.left);
}

LRESULT FileListView::OnNotify(const NMHDR& header) {
  auto& list = static_cast<FileList&>(control_);
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
      const auto index = static_cast<std::size_t>(info.item.iItem);
      if ((info.item.mask & LVIF_TEXT) != 0 && index < list.ListCount() &&
          info.item.cchTextMax > 0) {
        lstrcpynW(info.item.pszText, list.List(index).c_str(), info.item.cchTextMax);
      }
      return 0;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool now_selected =
          (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
      if (!pushing_ && now_selected && change.iItem >= 0) {
        selected_by_press_ = GetKeyState(VK_LBUTTON) < 0;
        list.Select(static_cast<std::size_t>(change.iItem));
      }
      return 0;
    }
    case NM_CLICK: {
      // A click on the entry already selected changes no state, yet it is a click of the user.
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      const bool fresh = selected_by_press_;
      selected_by_press_ = false;
      if (!fresh && click.iItem >= 0 && list.Selected(static_cast<std::size_t>(click.iItem))) {
        list.Select(static_cast<std::size_t>(click.iItem));
      }
      return 0;
    }
    case LVN_ODFINDITEMW:
      return FindEntry(list, reinterpret_cast<const NMLVFINDITEMW&>(header));
    default:
      return 0;
  }
}

}  // namespace tassefiche
