#include "drag_files.h"

#include <ole2.h>
#include <shlobj.h>

#include <stdexcept>

namespace tassefiche::e2e {

namespace {

// The source side of the drag: it goes on while the left button is down, and drops when it comes
// up. A COM interface has no virtual destructor; this object lives on the stack.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Source final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape != FALSE) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) != 0 ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD /*effect*/) override {
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
};
#pragma GCC diagnostic pop

// The shell's own data object for the files, as the file manager offers it.
IDataObject* ShellDataObject(const std::vector<std::filesystem::path>& files) {
  PIDLIST_ABSOLUTE folder = ILCreateFromPathW(files.front().parent_path().c_str());
  IShellFolder* desktop = nullptr;
  IShellFolder* parent = nullptr;
  SHGetDesktopFolder(&desktop);
  desktop->BindToObject(folder, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&parent));
  desktop->Release();
  ILFree(folder);
  if (parent == nullptr) throw std::runtime_error("no shell folder");
  std::vector<PITEMID_CHILD> items;
  for (const auto& file : files) {
    PITEMID_CHILD item = nullptr;
    std::wstring name = file.filename().wstring();
    parent->ParseDisplayName(nullptr, nullptr, name.data(), nullptr,
                             reinterpret_cast<PIDLIST_RELATIVE*>(&item), nullptr);
    if (item == nullptr) throw std::runtime_error("no shell item");
    items.push_back(item);
  }
  IDataObject* data = nullptr;
  parent->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()),
                        const_cast<PCUITEMID_CHILD_ARRAY>(items.data()), IID_IDataObject, nullptr,
                        reinterpret_cast<void**>(&data));
  for (PITEMID_CHILD item : items)
    ILFree(item);
  parent->Release();
  if (data == nullptr) throw std::runtime_error("no data object");
  return data;
}

struct Drag {
  IDataObject* data;
  DWORD effect = DROPEFFECT_NONE;
};

// The drag begins where a file manager begins it: on a press of the button in the source window.
LRESULT CALLBACK SourceWindow(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_LBUTTONDOWN) {
    auto& drag = *reinterpret_cast<Drag*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    Source source;
    DoDragDrop(drag.data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &drag.effect);
    PostQuitMessage(0);
    return 0;
  }
  if (message == WM_TIMER) {
    PostQuitMessage(0);  // the press never came: no drag
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void MoveTo(POINT at) {
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
  Sleep(60);
}

void Button(DWORD flag) {
  INPUT press{};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = flag;
  SendInput(1, &press, sizeof press);
  Sleep(100);
}

struct Hand {
  POINT from;
  POINT to;
};

// The user's hand, on its own thread while this one runs the drag: press, move in steps, release.
DWORD WINAPI MoveTheMouse(void* param) {
  const Hand& hand = *static_cast<Hand*>(param);
  MoveTo(hand.from);
  Button(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 10; ++step) {
    MoveTo({hand.from.x + (hand.to.x - hand.from.x) * step / 10,
            hand.from.y + (hand.to.y - hand.from.y) * step / 10});
  }
  Sleep(300);
  Button(MOUSEEVENTF_LEFTUP);
  return 0;
}

}  // namespace

DWORD DragFiles(const std::vector<std::filesystem::path>& files, HWND onto) {
  OleInitialize(nullptr);
  Drag drag{ShellDataObject(files)};
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = SourceWindow;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"Tassefiche.e2e.DragSource";
  RegisterClassW(&window_class);
  // A corner of the screen that the program's window, centred, leaves free.
  const HWND source = CreateWindowExW(WS_EX_TOPMOST, window_class.lpszClassName, L"", WS_POPUP, 0,
                                      0, 60, 60, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrW(source, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&drag));
  ShowWindow(source, SW_SHOW);
  SetForegroundWindow(source);
  SetTimer(source, 1, 20000, nullptr);

  RECT target{};
  GetWindowRect(onto, &target);
  Hand hand{{30, 30}, {(target.left + target.right) / 2, (target.top + target.bottom) / 2}};
  const HANDLE mover = CreateThread(nullptr, 0, MoveTheMouse, &hand, 0, nullptr);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  WaitForSingleObject(mover, INFINITE);
  CloseHandle(mover);
  DestroyWindow(source);
  drag.data->Release();
  OleUninitialize();
  return drag.effect;
}

}  // namespace tassefiche::e2e
