// The real program, started as a user starts it, and driven through its real windows with real
// messages from this test process.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tassefiche::e2e {

// A path of the build (a Unix path when the tests run under Wine) as a Windows path.
std::filesystem::path WindowsPath(const char* build_path);

// Waits until `done` holds, up to `limit`; false when it never did.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::seconds(20));

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

class RunningProgram {
 public:
  // Starts `exe` with `folder` as its current folder and waits for its main window.
  RunningProgram(const std::filesystem::path& exe, const std::filesystem::path& folder,
                 std::chrono::milliseconds start_limit = std::chrono::seconds(20));
  // The same with `arguments` after the program's quoted name on its command line.
  RunningProgram(const std::filesystem::path& exe, const std::filesystem::path& folder,
                 std::wstring_view arguments,
                 std::chrono::milliseconds start_limit = std::chrono::seconds(20));
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND Main() const { return main_; }
  DWORD Thread() const { return process_.dwThreadId; }
  // A control of the main window by its tab index (its identifier is 1000 + tab index).
  HWND Control(int tab_index) const;
  // A control of a window of the program by its identifier.
  HWND ControlOf(HWND window, int id) const;
  // A visible top-level window of the program of that class, once it shows (nullptr if none does).
  HWND WaitForWindow(std::wstring_view class_name) const;
  // The window that has the keyboard focus in the program.
  HWND Focus() const;
  // A key stroke, posted to the window that has the focus as the keyboard would give it.
  void PostKey(WPARAM virtual_key) const;
  // True once the program's process has ended, within `limit`.
  bool Ended(std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

  // Presses a button as a click does, without waiting for what it starts.
  void Press(HWND button) const;

  // Real input, through the system's input queue as a user gives it: the window comes to the
  // front, the mouse moves over the point (in the control's client coordinates) and clicks, once
  // or twice; keys and typed text go to the window that has the focus.
  void ClickAt(HWND control, POINT point, int clicks = 1) const;
  void Click(HWND control) const;  // at its centre
  static void Key(WORD virtual_key);
  // A key pressed while a modifier key (Alt, Shift, Ctrl) is held down.
  static void KeyWith(WORD modifier, WORD virtual_key);
  static void Type(std::wstring_view text);
  // The point of a list box entry, for a click on it.
  static POINT ListBoxEntry(HWND list, int index);
  // The texts of the entries of a list box or a drop-down list, read from outside the program.
  static std::vector<std::wstring> ListBoxTexts(HWND list);
  static std::vector<std::wstring> ComboBoxTexts(HWND combo);
  // A click on the window's bare surface.
  void ClickSurface() const;
  // Selects the entry of a file list that shows `name`, as a user's click does; false if none does.
  bool SelectFile(HWND list, std::wstring_view name) const;
  std::wstring FileEntry(HWND list, int index) const;
  // The entry of a file list that is selected; empty when none is.
  std::wstring SelectedFile(HWND list) const;
  int FileCount(HWND list) const;
  // The tooltip text of each control of a window (the main one by default) that has one.
  std::map<HWND, std::wstring> ToolTips(HWND window = nullptr) const;

  // A box of the program (message box or input box) with that title, once it shows.
  HWND WaitForBox(std::wstring_view title) const;
  // True when the boxes of the program have closed and no other shows for a while.
  bool NoBoxShows() const;
  // The texts of a box's static controls, in creation order.
  static std::wstring BoxText(HWND box);
  static void Answer(HWND box, int button);

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace tassefiche::e2e
