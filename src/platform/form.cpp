#include "platform/form.h"

#include <map>
#include <set>
#include <stdexcept>

#include "platform/simple_controls.h"

namespace tassefiche {

namespace {

[[noreturn]] void LayoutFault(std::wstring_view name, const char* what) {
  throw std::logic_error(std::string(what) + ": " + std::string(name.begin(), name.end()));
}

bool NamesASibling(const FormLayout& layout, const ControlLayout& label) {
  for (const ControlLayout& row : layout.controls) {
    if (row.name == label.particulars.names && row.container == label.container) {
      return label.kind == ControlKind::kLabel && &row != &label;
    }
  }
  return false;
}

}  // namespace

// Every row names exactly one member control and every member control has its row: a mismatch is a
// fault in the program, found at the first start.
void Form::Place(std::initializer_list<Control*> controls) {
  controls_ = controls;
  if (controls_.size() != layout_.controls.size())
    LayoutFault(layout_.name, "rows and controls differ");
  std::map<std::wstring_view, std::vector<OptionButton*>> option_groups;
  std::set<Control*> placed;
  for (const ControlLayout& row : layout_.controls) {
    Control* control = Find(row.name);
    if (control == nullptr) LayoutFault(row.name, "no control for row");
    if (!placed.insert(control).second) LayoutFault(row.name, "two rows for one control");
    if (!row.particulars.names.empty() && !NamesASibling(layout_, row)) {
      LayoutFault(row.name, "a label names no control of its container");
    }
    control->JoinForm(this);
    control->ApplyLayout(row);
    if (auto* option = dynamic_cast<OptionButton*>(control)) {
      option_groups[row.container].push_back(option);
    }
  }
  for (auto& [container, group] : option_groups) {
    for (OptionButton* option : group)
      option->JoinGroup(group);
  }
}

Control* Form::Find(std::wstring_view name) const {
  for (Control* control : controls_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

void Form::SetCaption(std::wstring_view caption) {
  caption_ = caption;
  if (view_ != nullptr) view_->ShowCaption();
}

void Form::Unload() {
  unloaded_ = true;
  if (view_ != nullptr) view_->Close();
}

const Control* Form::Focused() const {
  return view_ != nullptr ? view_->Focused() : focused_;
}

void Form::SetFocus(const Control& control) {
  focused_ = &control;
  if (view_ != nullptr) view_->ShowFocus(control);
}

const Control* Form::NextTabStop(const Control& from) const {
  const Control* next = nullptr;
  const Control* first = nullptr;
  const int after = from.Layout().tab_index;
  for (const Control* control : controls_) {
    const int index = control->Layout().tab_index;
    if (control == &from || index == kNoTabIndex || !control->Enabled() || !control->TabStop()) {
      continue;
    }
    if (index > after && (next == nullptr || index < next->Layout().tab_index)) next = control;
    if (first == nullptr || index < first->Layout().tab_index) first = control;
  }
  return next != nullptr ? next : first;
}

// With no control to take it, the focus leaves the form's controls, as the window system leaves it.
void Form::PassFocusOn(const Control& leaving) {
  if (Focused() != &leaving) return;
  const Control* next = NextTabStop(leaving);
  if (next != nullptr) {
    SetFocus(*next);
  } else {
    focused_ = nullptr;
  }
}

void Form::SetPointer(MousePointer pointer) {
  pointer_ = pointer;
  if (view_ != nullptr) view_->ShowPointer();
}

void Form::Load() const {
  if (on_load) on_load();
}

void Form::Click() const {
  if (on_click) on_click();
}

void Form::OLEDragDrop(const std::vector<std::wstring>& paths) const {
  if (on_ole_drag_drop) on_ole_drag_drop(paths);
}

}  // namespace tassefiche
