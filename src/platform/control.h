// The control objects: each holds its own state in portable code and raises its events
// synchronously, inside the call that caused them. A backend may bind a view to a control; the
// control tells the view which aspect changed, and the view shows it. A control placed on a form
// knows the form as the keeper of the keyboard focus.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/control_layout.h"

namespace tassefiche {

using Event = std::function<void()>;

enum class Aspect { kEnabled, kCaption, kToolTip, kText, kValue, kEntries, kSelection };

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void Show(Aspect aspect) = 0;
};

class Control;

// What a control needs of its form: a control that stops taking the focus hands it on first.
class FocusKeeper {
 public:
  virtual void PassFocusOn(const Control& leaving) = 0;

 protected:
  ~FocusKeeper() = default;
};

class Control {
 public:
  explicit Control(std::wstring name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::wstring& Name() const { return name_; }
  const ControlLayout& Layout() const;

  bool Enabled() const { return enabled_; }
  // A control disabled while it has the focus first hands the focus on.
  void SetEnabled(bool enabled);
  // Whether the Tab key stops on the control while it is enabled.
  virtual bool TabStop() const { return true; }

  const std::wstring& ToolTipText() const { return tool_tip_; }
  void SetToolTipText(std::wstring_view text);

  // Takes the row of the form's layout table that describes this control, with its initial state.
  virtual void ApplyLayout(const ControlLayout& row);

  void BindView(ControlView* view) { view_ = view; }
  void JoinForm(FocusKeeper* form) { form_ = form; }

 protected:
  void Changed(Aspect aspect) const;
  static void Raise(const Event& event);

 private:
  std::wstring name_;
  const ControlLayout* layout_ = nullptr;
  bool enabled_ = true;
  std::wstring tool_tip_;
  ControlView* view_ = nullptr;
  FocusKeeper* form_ = nullptr;
};

}  // namespace tassefiche
