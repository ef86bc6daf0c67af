// A control's window: the Win32 view bound to one control object. The view creates the window from
// the control's layout row, shows every change of the control, and turns the user's input into the
// control's events. Subclasses know their window class; the form window routes messages to them.
#pragma once

#include <windows.h>

#include "platform/control.h"

namespace tassefiche {

class FormWindow;

class Win32View : public ControlView {
 public:
  Win32View(FormWindow& form, Control& control) : form_(form), control_(control) {}
  ~Win32View() override;
  Win32View(const Win32View&) = delete;
  Win32View& operator=(const Win32View&) = delete;

  // Control identifiers follow the tab order, so that they are unique and stable; a control without
  // a tab index (an image, a line) takes 2000 and its row's place in the layout table.
  int Id() const;
  HWND Hwnd() const { return hwnd_; }
  const Control& Model() const { return control_; }

  void Create(HWND parent, int dpi);
  // Places the window and sets its font for a DPI.
  virtual void Place(int dpi);

  void Show(Aspect aspect) override;

  virtual void OnCommand(WORD /*code*/) {}
  virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual void OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) {}
  virtual HBRUSH OnCtlColor(HDC dc);
  // The Enter key while the control has the focus.
  virtual void OnEnter() {}

 protected:
  virtual const wchar_t* WindowClass() const = 0;
  virtual DWORD Style() const = 0;
  virtual DWORD ExStyle() const { return 0; }
  // Shows what the control holds besides its enabled state and tooltip.
  virtual void ShowAspect(Aspect /*aspect*/) {}
  // The initial showing, once the window exists.
  virtual void ShowAll() {}
  // The height of the window at a DPI: its row's, but a drop-down list adds its list.
  virtual int WindowHeight(int dpi) const;

  HFONT Font(int dpi) const;
  int Dpi() const;

  FormWindow& form_;
  Control& control_;
  HWND hwnd_ = nullptr;
  // Set while the view writes into its window, whose notifications are then only the echo.
  bool pushing_ = false;
};

}  // namespace tassefiche
