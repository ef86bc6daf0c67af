// The folder list: an owner-drawn list of the path's components (open folders, indented step by
// step under the drive) and of the sub-folders (closed folders). Each entry's text is also kept in
// the list, so that a screen reader, or any tool reading the list from outside, finds it.
#include <algorithm>
#include <array>

#include "platform/folder_list.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

constexpr COLORREF kFolderFill = RGB(255, 216, 96);
constexpr COLORREF kFolderDark = RGB(160, 112, 0);
constexpr COLORREF kDriveFill = RGB(192, 192, 192);

// A small folder (or, for a drive root, a drive) drawn in a 16x14 box at 96 DPI.
void DrawGlyph(HDC dc, int left, int top, int dpi, bool root, bool open) {
  const auto px = [&](int value) { return Scaled(value, dpi); };
  const HPEN pen = CreatePen(PS_SOLID, 1, root ? RGB(64, 64, 64) : kFolderDark);
  const HBRUSH fill = CreateSolidBrush(root ? kDriveFill : kFolderFill);
  const HGDIOBJ old_pen = SelectObject(dc, pen);
  const HGDIOBJ old_brush = SelectObject(dc, fill);
  if (root) {
    Rectangle(dc, left + px(1), top + px(4), left + px(15), top + px(12));
    const HBRUSH light = CreateSolidBrush(RGB(0, 160, 0));
    RECT led{left + px(11), top + px(8), left + px(13), top + px(10)};
    FillRect(dc, &led, light);
    DeleteObject(light);
  } else {
    // The tab, then the body; an open folder adds its slanted front.
    Rectangle(dc, left + px(1), top + px(2), left + px(7), top + px(5));
    Rectangle(dc, left + px(1), top + px(4), left + px(15), top + px(13));
    if (open) {
      const std::array<POINT, 4> front{
          POINT{left + px(1), top + px(13)}, POINT{left + px(4), top + px(7)},
          POINT{left + px(16), top + px(7)}, POINT{left + px(14), top + px(13)}};
      Polygon(dc, front.data(), static_cast<int>(front.size()));
    }
  }
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(fill);
  DeleteObject(pen);
}

// The entry that shows the folder the list is on: the last component of the path.
std::size_t CurrentEntry(const FolderList& list) {
  std::size_t current = 0;
  for (std::size_t i = 0; i < list.Entries().size(); ++i) {
    if (list.Entries()[i].open) current = i;
  }
  return current;
}

// Each level of the path is indented one step further; in a deep path the steps shrink, so that
// the deepest names still show in the list's width.
int IndentStep(const FolderList& list, const RECT& item, int dpi) {
  const int deepest = static_cast<int>(list.Entries().back().depth);
  const int room = (item.right - item.left) / 3;
  return deepest == 0 ? 0 : std::min(Scaled(7, dpi), room / deepest);
}

}  // namespace

void FolderListView::ShowAspect(Aspect aspect) {
  const auto& list = static_cast<const FolderList&>(control_);
  if (aspect == Aspect::kEntries) {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    std::size_t characters = 0;
    for (const FolderEntry& entry : list.Entries())
      characters += entry.text.size() + 1;
    SendMessageW(hwnd_, LB_INITSTORAGE, list.Entries().size(),
                 static_cast<LPARAM>(characters * sizeof(wchar_t)));
    for (const FolderEntry& entry : list.Entries()) {
      SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    }
    SendMessageW(hwnd_, LB_SETCURSEL, CurrentEntry(list), 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  } else if (aspect == Aspect::kSelection && list.Highlighted()) {
    SendMessageW(hwnd_, LB_SETCURSEL, *list.Highlighted(), 0);
  }
}

void FolderListView::OnCommand(WORD code) {
  const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  if (index < 0) return;
  auto& list = static_cast<FolderList&>(control_);
  if (code == LBN_SELCHANGE) list.Click(static_cast<std::size_t>(index));
  if (code == LBN_DBLCLK) list.Open(static_cast<std::size_t>(index));
}

void FolderListView::OnEnter() {
  const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  if (index >= 0) static_cast<FolderList&>(control_).Open(static_cast<std::size_t>(index));
}

void FolderListView::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  // Sent while the list is being created, before it has a font: measure the font it will get.
  const int dpi = WindowDpi(form_.Hwnd());
  const HDC dc = GetDC(form_.Hwnd());
  const HGDIOBJ previous = SelectObject(dc, Font(dpi));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(form_.Hwnd(), dc);
  item.itemHeight = static_cast<UINT>(std::max<int>(metrics.tmHeight, Scaled(16, dpi)));
}

bool FolderListView::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const auto& list = static_cast<const FolderList&>(control_);
  if (item.itemID >= list.Entries().size()) return true;
  const FolderEntry& entry = list.Entries()[item.itemID];
  const HDC dc = item.hDC;
  const int dpi = Dpi();
  FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));

  const int glyph_left = item.rcItem.left + Scaled(2, dpi) +
                         static_cast<int>(entry.depth) * IndentStep(list, item.rcItem, dpi);
  const int glyph_top = (item.rcItem.top + item.rcItem.bottom - Scaled(14, dpi)) / 2;
  DrawGlyph(dc, glyph_left, glyph_top, dpi, entry.depth == 0, entry.open);

  RECT text = item.rcItem;
  text.left = glyph_left + Scaled(19, dpi);
  const HGDIOBJ previous = SelectObject(dc, Font(dpi));
  DrawTextW(dc, entry.text.c_str(), -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
  text.top = item.rcItem.top;
  text.bottom = item.rcItem.bottom;
  text.right += Scaled(2, dpi);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
  if (selected && enabled) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!enabled   ? COLOR_GRAYTEXT
                               : selected ? COLOR_HIGHLIGHTTEXT
                                          : COLOR_WINDOWTEXT));
  RECT label = text;
  label.left += Scaled(1, dpi);
  DrawTextW(dc, entry.text.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &text);
  SelectObject(dc, previous);
  return true;
}

}  // namespace tassefiche
