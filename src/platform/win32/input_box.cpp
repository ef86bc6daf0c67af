// The input box: a small modal dialog with the prompt, OK and Cancel on the right, and the edit
// field below, built in memory so that it needs no resource.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/win32_dialogs.h"

namespace tassefiche {

namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// A dialog template in memory: a header, then items, each aligned on four bytes.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height) {
    Align(4);
    Put(style);
    Put(DWORD{0});  // extended style
    count_at_ = bytes_.size();
    Put(WORD{0});  // item count, filled in by Add
    Put(short{0});
    Put(short{0});
    Put(width);
    Put(height);
    Put(WORD{0});  // no menu
    Put(WORD{0});  // the standard dialog class
    PutText(L"");  // title set later
    Put(WORD{8});  // font size, then face
    PutText(L"MS Shell Dlg");
  }

  void Add(WORD window_class, int id, DWORD style, short x, short y, short cx, short cy) {
    Align(4);
    Put(style | WS_CHILD | WS_VISIBLE);
    Put(DWORD{0});
    Put(x);
    Put(y);
    Put(cx);
    Put(cy);
    Put(static_cast<WORD>(id));
    Put(WORD{0xFFFF});
    Put(window_class);
    PutText(L"");
    Put(WORD{0});  // no creation data
    WORD count = 0;
    std::memcpy(&count, bytes_.data() + count_at_, sizeof count);
    ++count;
    std::memcpy(bytes_.data() + count_at_, &count, sizeof count);
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  template <typename T>
  void Put(T value) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
    bytes_.insert(bytes_.end(), raw, raw + sizeof value);
  }
  void PutText(std::wstring_view text) {
    for (const wchar_t c : text)
      Put(static_cast<WORD>(c));
    Put(WORD{0});
  }
  void Align(std::size_t boundary) {
    while (bytes_.size() % boundary != 0)
      bytes_.push_back(0);
  }

  std::vector<std::uint8_t> bytes_;
  std::size_t count_at_ = 0;
};

struct InputBoxState {
  std::wstring prompt;
  std::wstring title;
  std::wstring answer;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<InputBoxState*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetWindowTextW(dialog, state->title.c_str());
      SetDlgItemTextW(dialog, kPromptId, state->prompt.c_str());
      SetDlgItemTextW(dialog, IDOK, L"OK");
      SetDlgItemTextW(dialog, IDCANCEL, L"Annuler");
      const HWND edit = GetDlgItem(dialog, kEditId);
      SetWindowTextW(edit, state->answer.c_str());
      SendMessageW(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        const int length = GetWindowTextLengthW(GetDlgItem(dialog, kEditId));
        state->answer.assign(static_cast<std::size_t>(length) + 1, L'\0');
        GetDlgItemTextW(dialog, kEditId, state->answer.data(), length + 1);
        state->answer.resize(static_cast<std::size_t>(length));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        state->answer.clear();
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::wstring ShowInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title,
                          std::wstring_view default_answer) {
  DialogTemplate dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        260, 96);
  dialog.Add(0x0081, kEditId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 76, 246, 13);
  dialog.Add(0x0080, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 200, 7, 53, 14);
  dialog.Add(0x0080, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 200, 25, 53, 14);
  dialog.Add(0x0082, kPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 186, 64);
  InputBoxState state{std::wstring(prompt), std::wstring(title), std::wstring(default_answer)};
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, InputBoxProc,
                          reinterpret_cast<LPARAM>(&state));
  return state.answer;
}

}  // namespace tassefiche
