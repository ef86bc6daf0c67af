// Lines: a horizontal line of its colour and width, centred on its row; it may reach past the
// form's edge, where the form clips it.
#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

void LineView::Place(int dpi) {
  const ControlLayout& row = control_.Layout();
  const int width = Scaled(row.particulars.line_width, dpi);
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(row.left, dpi),
               TwipsToPixels(row.top, dpi) - width / 2, TwipsToPixels(row.width, dpi), width,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void LineView::ShowAll() {
  Place(Dpi());
}

// In high contrast both lines of an etched separator take the colour of text, so that they show on
// any background of the scheme.
bool LineView::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Rgb colour = control_.Layout().particulars.fore_color.value_or(Rgb{});
  const HBRUSH brush = CreateSolidBrush(
      form_.HighContrast() ? form_.TextColour() : RGB(colour.red, colour.green, colour.blue));
  FillRect(item.hDC, &item.rcItem, brush);
  DeleteObject(brush);
  return true;
}

}  // namespace tassefiche
