#include <windows.h>

#include <stdexcept>

#include "pointer_probe.h"
#include "running_program.h"

namespace tassefiche::e2e {

DWORD PointerShown(const RunningProgram& program) {
  CURSORINFO shown{};
  shown.cbSize = sizeof shown;
  if (GetCursorInfo(&shown) == FALSE || shown.hCursor == nullptr) return kUnknownPointer;

  const HMODULE probe = LoadLibraryW(WindowsPath(TASSEFICHE_POINTER_PROBE_DLL).c_str());
  // A function of unknown type goes through void* to the type the export has.
  const auto hook_proc = probe == nullptr ? nullptr
                                          : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                                GetProcAddress(probe, "PointerProbe")));
  if (hook_proc == nullptr) throw std::runtime_error("no pointer probe");
  const HANDLE answer = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           sizeof(DWORD), kProbeAnswer);
  auto* resource = static_cast<DWORD*>(MapViewOfFile(answer, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  *resource = kUnknownPointer;
  const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hook_proc, probe, program.Thread());
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(program.Main(), RegisterWindowMessageW(kProbeMessage),
                      reinterpret_cast<WPARAM>(shown.hCursor), 0, SMTO_ABORTIFHUNG, 10000,
                      &ignored);
  const DWORD found = *resource;
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  UnmapViewOfFile(resource);
  CloseHandle(answer);
  FreeLibrary(probe);
  return found;
}

}  // namespace tassefiche::e2e
