// Graphical buttons: the picture centred above the caption, both greyed when the button is
// disabled. In high contrast the picture is its plain line drawing in the colour of the caption,
// and a disabled caption is drawn flat in the scheme's colour for disabled text.
#include <string>

#include "platform/simple_controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

void DrawCaption(HDC dc, const std::wstring& caption, RECT area, UINT flags, bool disabled,
                 bool high_contrast) {
  SetBkMode(dc, TRANSPARENT);
  if (disabled && high_contrast) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  } else if (disabled) {
    // The engraved look of disabled text: a highlight one pixel down and right, grey on top.
    OffsetRect(&area, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, caption.c_str(), -1, &area, flags);
    OffsetRect(&area, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextW(dc, caption.c_str(), -1, &area, flags);
}

}  // namespace

void PictureButtonView::ShowAspect(Aspect aspect) {
  if (aspect != Aspect::kCaption) return;
  SetWindowTextW(hwnd_, static_cast<const CommandButton&>(control_).Caption().c_str());
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureButtonView::OnCommand(WORD code) {
  if (code == BN_CLICKED) static_cast<const CommandButton&>(control_).Press();
}

void PictureButtonView::OnEnter() {
  static_cast<const CommandButton&>(control_).Press();
}

bool PictureButtonView::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  const int dpi = Dpi();
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  RECT face = item.rcItem;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0U));
  const int shift = pushed ? 1 : 0;

  const int size = Scaled(32, dpi);
  const int margin = Scaled(4, dpi);
  const int x = (item.rcItem.left + item.rcItem.right - size) / 2 + shift;
  const int y = item.rcItem.top + margin + shift;
  const Picture picture = control_.Layout().particulars.picture;
  if (form_.HighContrast()) {
    if (const HICON plain = form_.Pictures().Plain(picture, size)) {
      const HBRUSH ink = GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
      DrawStateW(dc, ink, nullptr, reinterpret_cast<LPARAM>(plain), 0, x, y, size, size,
                 DST_ICON | DSS_MONO);
    }
  } else if (const HICON icon = form_.Pictures().Get(picture, size)) {
    if (disabled) {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, size, size,
                 DST_ICON | DSS_DISABLED);
    } else {
      DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    }
  }

  RECT caption_area{item.rcItem.left + 2 + shift, y + size + margin / 2,
                    item.rcItem.right - 2 + shift, item.rcItem.bottom - 2 + shift};
  const HGDIOBJ previous = SelectObject(dc, Font(dpi));
  UINT flags = DT_CENTER | DT_WORDBREAK;
  if ((item.itemState & ODS_NOACCEL) != 0) flags |= DT_HIDEPREFIX;
  DrawCaption(dc, static_cast<const CommandButton&>(control_).Caption(), caption_area, flags,
              disabled, form_.HighContrast());
  SelectObject(dc, previous);

  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -Scaled(4, dpi), -Scaled(4, dpi));
    DrawFocusRect(dc, &focus);
  }
  return true;
}

}  // namespace tassefiche
