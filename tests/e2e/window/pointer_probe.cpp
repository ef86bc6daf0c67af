// Loaded into the program by a hook from a test: asked by a message sent to one of its windows,
// it names the platform's cursor that a pointer handle of the program stands for, which only the
// program itself can read.
#include <windows.h>

#include "pointer_probe.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK
    PointerProbe(int code, WPARAM wparam, LPARAM lparam) {
  const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent.message == RegisterWindowMessageW(tassefiche::e2e::kProbeMessage)) {
    const HANDLE answer = OpenFileMappingW(FILE_MAP_WRITE, FALSE, tassefiche::e2e::kProbeAnswer);
    if (answer != nullptr) {
      if (auto* resource = static_cast<DWORD*>(MapViewOfFile(answer, FILE_MAP_WRITE, 0, 0, 0))) {
        ICONINFOEXW info{};
        info.cbSize = sizeof info;
        const bool known = GetIconInfoExW(reinterpret_cast<HCURSOR>(sent.wParam), &info) != FALSE;
        *resource = known ? info.wResID : tassefiche::e2e::kUnknownPointer;
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        UnmapViewOfFile(resource);
      }
      CloseHandle(answer);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
