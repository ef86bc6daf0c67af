// A form's top-level window: one window class per form, the controls created from the form's layout
// table in window order (frames are real containers, so that their controls are placed relative to
// them), tooltips, the dialog keyboard (Tab, access keys, Enter on a focused button or the default
// one, Escape on the cancel one), the focus where the form puts it, the hand over what can be
// clicked and the form's own pointer elsewhere, files dropped on a form that takes them, DPI
// changes, the switch to and from a high-contrast scheme, and the routing of notifications to the
// controls' views. A window with an owner is the owner's modal window: its unloading gives the
// owner its input back; the window without one ends the program when it goes.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/fonts.h"
#include "platform/win32/pictures.h"
#include "platform/win32/win32_view.h"

namespace tassefiche {

// The messages by which controls tell their parent what happened or ask how to draw: a frame passes
// them on to its form window.
bool IsControlNotification(UINT message);

class FormWindow : public FormView {
 public:
  explicit FormWindow(Form& form);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the window and its controls, hidden, owned by `owner` when one is given; the form's
  // Load runs after this, before ShowCentred.
  void Create(HWND owner = nullptr);
  void ShowCentred(int show_command);
  // The dialog keyboard for this window; true when the message was handled.
  bool PreTranslate(MSG& message);

  HWND Hwnd() const { return hwnd_; }
  const FormLayout& Layout() const { return form_.Layout(); }
  FontCache& Fonts() { return fonts_; }
  PictureCache& Pictures() { return pictures_; }
  // The form's background, which labels and buttons draw on: the layout's colour, or in high
  // contrast the system colour of its role.
  HBRUSH BackBrush() const;
  // True while the user has a high-contrast scheme: the views then draw with system colours only.
  bool HighContrast() const { return high_contrast_; }
  // In high contrast, the system colour of text on the form's background.
  COLORREF TextColour() const;

  // The form's view.
  void ShowCaption() override;
  void Close() override;
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }
  const Control* Focused() const override;
  void ShowFocus(const Control& control) override;
  void ShowPointer() override;

  void SetToolTip(HWND control, std::wstring_view text);
  // Runs an event of the program; a failure that no handler expected is shown, and the program goes
  // on.
  void Dispatch(const std::function<void()>& event);

  // Where frames send what their controls tell them.
  LRESULT Route(HWND from, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls(std::wstring_view container, HWND parent, int dpi);
  void Relayout(int dpi);
  Win32View* ViewOf(int id) const;
  Win32View* FocusedView() const;
  Win32View* ViewOf(const Control& control) const;
  // The focus back where it was when the window was last active, or, if that control has been
  // disabled meanwhile, on the next one of the tab order.
  void RestoreFocus();
  // A change of the colour scheme: the views draw again with the colours it asks for.
  void Recolour();
  // The controls in the classic style while in high contrast, else in the platform's visual style.
  void ShowScheme() const;
  // The view whose row has the particular, if any (the default and the cancel button).
  Win32View* ViewWith(bool Particulars::*particular) const;
  SIZE WindowSizeFor(int dpi) const;
  bool SetCursorOver(HWND control) const;
  // Files dropped: the form hears of them once the drag is over.
  void Dropped(std::vector<std::wstring> paths);
  void Destroy();

  Form& form_;
  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  HBRUSH own_back_brush_ = nullptr;
  bool high_contrast_ = false;
  HWND tooltip_ = nullptr;
  HWND saved_focus_ = nullptr;
  bool pressed_on_surface_ = false;
  FontCache fonts_;
  PictureCache pictures_;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  std::vector<std::unique_ptr<Win32View>> views_;
  std::map<int, Win32View*> by_id_;
  std::unique_ptr<DropTarget> drop_target_;
  std::deque<std::vector<std::wstring>> drops_;
};

}  // namespace tassefiche
