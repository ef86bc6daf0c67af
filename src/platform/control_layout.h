// How a form and its controls look and start: the rows of a form's layout table. Positions and
// sizes are in twips (1/1440 inch); a control inside a frame is placed relative to the frame. A
// line runs from (left, top) to (left + width, top + height).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tassefiche {

enum class ControlKind {
  kFrame,
  kLabel,
  kTextBox,
  kOptionButton,
  kCheckBox,
  kCommandButton,
  kDriveList,
  kFolderList,
  kFileList,
  kImage,
  kLine,
};

// The tab index of the controls that take no focus and have none (images, lines).
inline constexpr int kNoTabIndex = -1;

// The pictures of the graphical buttons (drawn 32x32, centred above the caption) and of the images
// (drawn to fill the control).
enum class Picture { kNone, kProgramIcon, kCompress, kNewFolder, kHelp, kAbout, kQuit, kDonation };

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

struct FontSpec {
  std::wstring_view face;
  double points = 8.25;
  bool bold = false;
};

// A file list's display switches by file attribute.
struct AttributeSwitches {
  bool archive = true;
  bool hidden = false;
  bool system = false;
  bool read_only = false;
  bool normal = true;  // files with none of the four attributes above
  bool operator==(const AttributeSwitches&) const = default;
};

// What a row says beyond name, place and caption; the defaults are the controls' own.
struct Particulars {
  bool enabled = true;
  Picture picture = Picture::kNone;
  std::optional<Rgb> back_color = std::nullopt;  // a label's own background instead of the form's
  bool window_text = false;                      // text in the system colour for window text
  bool auto_size = false;  // a label that sizes itself to its caption, on one line
  int value = 0;           // check box: 0, 1, 2; option button: 1 when selected
  std::optional<AttributeSwitches> switches = std::nullopt;  // file lists
  std::optional<Rgb> fore_color = std::nullopt;              // a label's text, a line's colour
  bool centred = false;                                      // a label's text centred in it
  bool hand_cursor = false;         // the pointing hand over the control, for what can be clicked
  std::wstring_view tool_tip = {};  // the tooltip the control has from the start
  bool default_button = false;      // Enter presses it unless another button has the focus
  bool cancel_button = false;       // Escape presses it wherever the focus lies
  int line_width = 1;               // a line's width, in pixels at 96 DPI
  // A label: the control of its container that it names, for assistive technology, which takes
  // the name of a control without a text of its own from the label just before it.
  std::wstring_view names = {};
};

struct ControlLayout {
  std::wstring_view name;
  ControlKind kind = ControlKind::kLabel;
  std::wstring_view container;  // empty: placed on the form itself
  std::wstring_view caption;    // caption, or the initial text of a text box
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tab_index = 0;
  const FontSpec* font = nullptr;  // nullptr: the form's font
  Particulars particulars = {};
};

struct FormLayout {
  std::wstring_view name;
  std::wstring_view caption;
  int client_width = 0;
  int client_height = 0;
  FontSpec font;
  bool resizable = true;
  bool minimize_box = true;
  bool maximize_box = false;
  std::span<const ControlLayout> controls;
  std::optional<Rgb> back_color = std::nullopt;  // instead of the platform's dialog background
};

}  // namespace tassefiche
