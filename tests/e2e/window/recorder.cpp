// Stands in for a tool: writes the command line it received, exactly, next to itself
// (NAME.EXE writes NAME.EXE.line, in UTF-16), then ends; while a file NAME.EXE.hold is there too,
// it works on, as a tool does on a large file.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t self[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  const std::wstring record = std::wstring(self) + L".line";
  const wchar_t* line = GetCommandLineW();
  const HANDLE file = CreateFileW(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line,
            static_cast<DWORD>(static_cast<std::size_t>(lstrlenW(line)) * sizeof(wchar_t)),
            &written, nullptr);
  CloseHandle(file);
  const std::wstring hold = std::wstring(self) + L".hold";
  while (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES)
    Sleep(50);
  return 0;
}
