// The simple controls of a form: frames and lines, which only show themselves; labels and images,
// which show a caption or a picture and may raise Click; the command button, the check box and the
// option button, which raise Click; and the text box, which raises Change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"

namespace tassefiche {

class CaptionedControl : public Control {
 public:
  using Control::Control;
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring_view caption);
  void ApplyLayout(const ControlLayout& row) override;

 private:
  std::wstring caption_;
};

class Frame : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  bool TabStop() const override { return false; }
};

// A label takes no focus; one that handles Click can be clicked with the mouse.
class Label : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  bool TabStop() const override { return false; }
  // The user clicked the label; a disabled label cannot be clicked.
  void Click() const;
  Event on_click;
};

// A picture of the layout; like a label, it takes no focus and may be clicked.
class Image : public Control {
 public:
  using Control::Control;
  bool TabStop() const override { return false; }
  void Click() const;
  Event on_click;
};

class Line : public Control {
 public:
  using Control::Control;
  bool TabStop() const override { return false; }
};

class CommandButton : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  // The user pressed the button (mouse, Space, access key); a disabled button cannot be pressed.
  void Press() const;
  Event on_click;
};

class CheckBox : public CaptionedControl {
 public:
  static constexpr int kUnchecked = 0;
  static constexpr int kChecked = 1;
  static constexpr int kGrayed = 2;

  using CaptionedControl::CaptionedControl;
  int Value() const { return value_; }
  // A new value raises Click, whether the user or the code set it.
  void SetValue(int value);
  void ApplyLayout(const ControlLayout& row) override;
  Event on_click;

 private:
  int value_ = kUnchecked;
};

// Option buttons that share a container form one group: selecting one clears the others.
class OptionButton : public CaptionedControl {
 public:
  using CaptionedControl::CaptionedControl;
  bool Value() const { return value_; }
  // Tab reaches a group of option buttons on its selected one; the arrow keys move in the group.
  bool TabStop() const override { return value_; }
  // Selecting a button (by the user or the code) clears the others of its group and raises Click.
  void Select();
  void JoinGroup(std::vector<OptionButton*> group) { group_ = std::move(group); }
  void ApplyLayout(const ControlLayout& row) override;
  Event on_click;

 private:
  void SetValueQuietly(bool value);
  bool value_ = false;
  std::vector<OptionButton*> group_;
};

class TextBox : public Control {
 public:
  using Control::Control;
  const std::wstring& Text() const { return text_; }
  // Code sets the text: the view shows it, and a different text raises Change.
  void SetText(std::wstring_view text);
  // The user edited the text in the view, which already shows it; raises Change.
  void Edited(std::wstring_view text);
  void ApplyLayout(const ControlLayout& row) override;
  Event on_change;

 private:
  std::wstring text_;
};

}  // namespace tassefiche
