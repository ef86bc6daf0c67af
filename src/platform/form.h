// A form: a window with its controls, each described by one row of the form's layout table. The
// window system raises Load once, before the form is first shown, and Click on the form's surface.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/control_layout.h"

namespace tassefiche {

class Form {
 public:
  explicit Form(const FormLayout& layout) : layout_(layout), caption_(layout.caption) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormLayout& Layout() const { return layout_; }
  const std::wstring& Caption() const { return caption_; }
  std::span<Control* const> Controls() const { return controls_; }
  Control* Find(std::wstring_view name) const;

  // Called by the form's constructor once its controls exist: matches each row of the layout table
  // to its control and gives the control its initial state.
  void Place(std::initializer_list<Control*> controls);

  void Load() const;
  void Click() const;
  Event on_load;
  Event on_click;

 private:
  const FormLayout& layout_;
  std::wstring caption_;
  std::vector<Control*> controls_;
};

}  // namespace tassefiche
