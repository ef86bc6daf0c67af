// A form: a window with its controls, each described by one row of the form's layout table. The
// window system raises Load once, before the form is first shown, Click on the form's surface, and
// OLEDragDrop when files are dropped on a form that accepts them. A backend may bind a view to the
// form, its window: the form tells it a new caption, the control that takes the focus, the mouse
// pointer over it and its unloading, and names the window to the platform calls that need an owner.
// The form keeps the keyboard focus on its controls: one that is disabled while it has the focus
// hands it to the next control of the tab order.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/control_layout.h"

namespace tassefiche {

// The platform's handle of a window, as a number; 0 when the form has no window.
using WindowHandle = std::uintptr_t;

// The pointer over the form: the one each control has by default, or the platform's arrow with an
// hourglass, which says that work goes on in the background while the form stays usable.
enum class MousePointer { kDefault, kArrowHourglass };

class FormView {
 public:
  virtual ~FormView() = default;
  virtual void ShowCaption() = 0;
  // Closes and destroys the window.
  virtual void Close() = 0;
  virtual WindowHandle Handle() const = 0;
  // The control that has the keyboard focus, as the user left it; nullptr when none has.
  virtual const Control* Focused() const = 0;
  virtual void ShowFocus(const Control& control) = 0;
  virtual void ShowPointer() = 0;
};

class Form : public FocusKeeper {
 public:
  explicit Form(const FormLayout& layout) : layout_(layout), caption_(layout.caption) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormLayout& Layout() const { return layout_; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring_view caption);
  std::span<Control* const> Controls() const { return controls_; }
  Control* Find(std::wstring_view name) const;

  // Called by the form's constructor once its controls exist: matches each row of the layout table
  // to its control and gives the control its initial state.
  void Place(std::initializer_list<Control*> controls);

  // The keyboard focus. A form with a window asks it, since the user moves the focus there; a form
  // without one (in tests) keeps the focus itself.
  const Control* Focused() const;
  void SetFocus(const Control& control);
  // The control that Tab reaches after `from`, going round the tab order: enabled and a tab stop.
  // nullptr when no other control can take the focus.
  const Control* NextTabStop(const Control& from) const;
  void PassFocusOn(const Control& leaving) override;

  MousePointer Pointer() const { return pointer_; }
  void SetPointer(MousePointer pointer);

  void Load() const;
  void Click() const;
  // Full paths of the files and folders dropped, in the order the platform gives them.
  void OLEDragDrop(const std::vector<std::wstring>& paths) const;
  Event on_load;
  Event on_click;
  // Left empty, the form accepts no drop.
  std::function<void(const std::vector<std::wstring>&)> on_ole_drag_drop;

  // Closes the form's window; the form keeps its state until it is destroyed, as the platform's
  // forms do until their object goes.
  void Unload();
  bool Unloaded() const { return unloaded_; }
  WindowHandle Handle() const { return view_ != nullptr ? view_->Handle() : 0; }
  void BindView(FormView* view) { view_ = view; }

 private:
  const FormLayout& layout_;
  std::wstring caption_;
  std::vector<Control*> controls_;
  bool unloaded_ = false;
  MousePointer pointer_ = MousePointer::kDefault;
  FormView* view_ = nullptr;
  const Control* focused_ = nullptr;
};

}  // namespace tassefiche
