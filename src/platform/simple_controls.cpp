#include "platform/simple_controls.h"

namespace tassefiche {

void CaptionedControl::SetCaption(std::wstring_view caption) {
  caption_ = caption;
  Changed(Aspect::kCaption);
}

void CaptionedControl::ApplyLayout(const ControlLayout& row) {
  Control::ApplyLayout(row);
  SetCaption(row.caption);
}

void Label::Click() const {
  if (Enabled()) Raise(on_click);
}

void Image::Click() const {
  if (Enabled()) Raise(on_click);
}

void CommandButton::Press() const {
  if (Enabled()) Raise(on_click);
}

void CheckBox::SetValue(int value) {
  if (value_ == value) return;
  value_ = value;
  Changed(Aspect::kValue);
  Raise(on_click);
}

void CheckBox::ApplyLayout(const ControlLayout& row) {
  CaptionedControl::ApplyLayout(row);
  value_ = row.particulars.value;
  Changed(Aspect::kValue);
}

void OptionButton::Select() {
  for (OptionButton* other : group_) {
    if (other != this) other->SetValueQuietly(false);
  }
  SetValueQuietly(true);
  Raise(on_click);
}

void OptionButton::SetValueQuietly(bool value) {
  if (value_ == value) return;
  value_ = value;
  Changed(Aspect::kValue);
}

void OptionButton::ApplyLayout(const ControlLayout& row) {
  CaptionedControl::ApplyLayout(row);
  SetValueQuietly(row.particulars.value == 1);
}

void TextBox::SetText(std::wstring_view text) {
  if (text_ == text) return;
  text_ = text;
  Changed(Aspect::kText);
  Raise(on_change);
}

void TextBox::Edited(std::wstring_view text) {
  if (text_ == text) return;
  text_ = text;
  Raise(on_change);
}

void TextBox::ApplyLayout(const ControlLayout& row) {
  Control::ApplyLayout(row);
  text_ = row.caption;
  Changed(Aspect::kText);
}

}  // namespace tassefiche
