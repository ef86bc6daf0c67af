#include "running_program.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "remote_buffer.h"

namespace tassefiche::e2e {

std::filesystem::path WindowsPath(const char* build_path) {
  std::string path(build_path);
  if (path.starts_with('/')) path = "Z:" + path;  // Wine shows the Unix root as drive Z:
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return std::filesystem::path(path);
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::wstring TextOf(HWND window) {
  std::wstring text(1024, L'\0');
  const LRESULT length =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

namespace {

struct Search {
  DWORD process = 0;
  std::function<bool(HWND)> wanted;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process && search.wanted(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopLevel(DWORD process, std::function<bool(HWND)> wanted) {
  Search search{process, std::move(wanted)};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, DWORD process, std::function<bool(HWND)> wanted) {
  Search search{process, std::move(wanted)};
  EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 10000, &result);
  return static_cast<LRESULT>(result);
}

}  // namespace

RunningProgram::RunningProgram(const std::filesystem::path& exe,
                               const std::filesystem::path& folder,
                               std::chrono::milliseconds start_limit)
    : RunningProgram(exe, folder, {}, start_limit) {}

RunningProgram::RunningProgram(const std::filesystem::path& exe,
                               const std::filesystem::path& folder, std::wstring_view arguments,
                               std::chrono::milliseconds start_limit) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring line = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) line += L" " + std::wstring(arguments);
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process_)) {
    throw std::runtime_error("the program did not start");
  }
  WaitForInputIdle(process_.hProcess, static_cast<DWORD>(start_limit.count()));
  WaitFor(
      [&] {
        main_ = FindTopLevel(process_.dwProcessId, [](HWND w) {
          return ClassOf(w) == L"Tassefiche.frmCopy" && IsWindowVisible(w);
        });
        return main_ != nullptr;
      },
      start_limit);
  if (main_ == nullptr) throw std::runtime_error("no main window");
}

RunningProgram::~RunningProgram() {
  if (main_ != nullptr) PostMessageW(main_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND RunningProgram::Control(int tab_index) const {
  return ControlOf(main_, 1000 + tab_index);
}

HWND RunningProgram::ControlOf(HWND window, int id) const {
  return FindChild(window, process_.dwProcessId, [&](HWND w) { return GetDlgCtrlID(w) == id; });
}

HWND RunningProgram::WaitForWindow(std::wstring_view class_name) const {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindTopLevel(process_.dwProcessId,
                         [&](HWND w) { return ClassOf(w) == class_name && IsWindowVisible(w); });
    return found != nullptr;
  });
  return found;
}

HWND RunningProgram::Focus() const {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(process_.dwThreadId, &gui);
  return gui.hwndFocus;
}

void RunningProgram::PostKey(WPARAM virtual_key) const {
  const HWND focus = Focus();
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
  PostMessageW(focus, WM_KEYDOWN, virtual_key, 1 | static_cast<LPARAM>(scan) << 16);
  PostMessageW(focus, WM_KEYUP, virtual_key,
               1 | static_cast<LPARAM>(scan) << 16 | static_cast<LPARAM>(3) << 30);
}

bool RunningProgram::Ended(std::chrono::milliseconds limit) const {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

void RunningProgram::Press(HWND button) const {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void RunningProgram::ClickAt(HWND control, POINT point, int clicks) const {
  SetForegroundWindow(main_);
  WaitFor([&] { return GetForegroundWindow() == main_; }, std::chrono::seconds(2));
  ClientToScreen(control, &point);
  SetCursorPos(point.x, point.y);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  for (int i = 0; i < clicks; ++i) {
    INPUT press[2]{};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
  }
}

void RunningProgram::Click(HWND control) const {
  RECT client{};
  GetClientRect(control, &client);
  ClickAt(control, {client.right / 2, client.bottom / 2});
}

void RunningProgram::Key(WORD virtual_key) {
  INPUT key[2]{};
  key[0].type = key[1].type = INPUT_KEYBOARD;
  key[0].ki.wVk = key[1].ki.wVk = virtual_key;
  key[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, key, sizeof(INPUT));
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

void RunningProgram::KeyWith(WORD modifier, WORD virtual_key) {
  INPUT keys[4]{};
  for (INPUT& key : keys)
    key.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[3].ki.wVk = modifier;
  keys[1].ki.wVk = keys[2].ki.wVk = virtual_key;
  keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, keys, sizeof(INPUT));
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

void RunningProgram::Type(std::wstring_view text) {
  for (const wchar_t c : text) {
    INPUT key[2]{};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wScan = key[1].ki.wScan = c;
    key[0].ki.dwFlags = KEYEVENTF_UNICODE;
    key[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
  }
}

POINT RunningProgram::ListBoxEntry(HWND list, int index) {
  const auto height = static_cast<int>(Send(list, LB_GETITEMHEIGHT, 0, 0));
  const auto top = static_cast<int>(Send(list, LB_GETTOPINDEX, 0, 0));
  return {20, (index - top) * height + height / 2};
}

std::vector<std::wstring> RunningProgram::ListBoxTexts(HWND list) {
  std::vector<std::wstring> texts;
  const auto count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(
        static_cast<std::size_t>(Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
    texts.push_back(text);
  }
  return texts;
}

std::vector<std::wstring> RunningProgram::ComboBoxTexts(HWND combo) {
  std::vector<std::wstring> texts;
  const auto count = Send(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(
        static_cast<std::size_t>(Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1,
        L'\0');
    text.resize(static_cast<std::size_t>(
        Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
    texts.push_back(text);
  }
  return texts;
}

void RunningProgram::ClickSurface() const {
  PostMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

int RunningProgram::FileCount(HWND list) const {
  return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
}

bool RunningProgram::SelectFile(HWND list, std::wstring_view name) const {
  RemoteBuffer remote(process_.hProcess, 4096);
  const std::wstring text(name);
  remote.Write(text.c_str(), (text.size() + 1) * sizeof(wchar_t), 1024);
  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = static_cast<LPCWSTR>(remote.Address(1024));
  remote.Write(&find, sizeof find);
  const auto index =
      static_cast<int>(Send(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), remote.Param()));
  if (index < 0) return false;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  remote.Write(&item, sizeof item);
  Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), remote.Param());
  return true;
}

std::wstring RunningProgram::FileEntry(HWND list, int index) const {
  RemoteBuffer remote(process_.hProcess, 4096);
  LVITEMW item{};
  item.iSubItem = 0;
  item.cchTextMax = 1000;
  item.pszText = static_cast<LPWSTR>(remote.Address(1024));
  remote.Write(&item, sizeof item);
  const auto length = Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), remote.Param());
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  remote.Read(text.data(), text.size() * sizeof(wchar_t), 1024);
  return text;
}

std::wstring RunningProgram::SelectedFile(HWND list) const {
  const auto index = static_cast<int>(
      Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
  return index < 0 ? std::wstring() : FileEntry(list, index);
}

std::map<HWND, std::wstring> RunningProgram::ToolTips(HWND window) const {
  const HWND owner = window != nullptr ? window : main_;
  const HWND tips = FindTopLevel(process_.dwProcessId, [&](HWND w) {
    return ClassOf(w) == TOOLTIPS_CLASSW && GetWindow(w, GW_OWNER) == owner;
  });
  std::map<HWND, std::wstring> found;
  if (tips == nullptr) return found;
  RemoteBuffer remote(process_.hProcess, 8192);
  const auto count = Send(tips, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = static_cast<LPWSTR>(remote.Address(1024));
    remote.Write(&tool, sizeof tool);
    std::vector<wchar_t> text(2048, L'\0');
    remote.Write(text.data(), text.size() * sizeof(wchar_t), 1024);
    if (Send(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), remote.Param()) == 0) continue;
    remote.Read(&tool, sizeof tool);
    remote.Read(text.data(), text.size() * sizeof(wchar_t), 1024);
    found[reinterpret_cast<HWND>(tool.uId)] = text.data();
  }
  return found;
}

HWND RunningProgram::WaitForBox(std::wstring_view title) const {
  HWND box = nullptr;
  WaitFor([&] {
    box = FindTopLevel(process_.dwProcessId, [&](HWND w) {
      return ClassOf(w) == L"#32770" && IsWindowVisible(w) && TextOf(w) == title;
    });
    return box != nullptr;
  });
  return box;
}

bool RunningProgram::NoBoxShows() const {
  const auto box_shows = [&] {
    return FindTopLevel(process_.dwProcessId, [](HWND w) {
             return ClassOf(w) == L"#32770" && IsWindowVisible(w);
           }) != nullptr;
  };
  // The boxes answered close first; then none may come back for a while.
  return WaitFor([&] { return !box_shows(); }) &&
         !WaitFor(box_shows, std::chrono::milliseconds(1000));
}

std::wstring RunningProgram::BoxText(HWND box) {
  std::wstring text;
  DWORD process = 0;
  GetWindowThreadProcessId(box, &process);
  FindChild(box, process, [&](HWND w) {
    if (ClassOf(w) == L"Static") text += TextOf(w);
    return false;
  });
  return text;
}

void RunningProgram::Answer(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

}  // namespace tassefiche::e2e
