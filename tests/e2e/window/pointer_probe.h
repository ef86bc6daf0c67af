// The pointer that the screen shows over the program, read from outside: the platform gives any
// process the pointer's handle, but only the program that owns the handle can say which cursor it
// is; a hook from the test asks it.
#pragma once

#include <windows.h>

namespace tassefiche::e2e {

class RunningProgram;

inline constexpr const wchar_t* kProbeMessage = L"Tassefiche.e2e.PointerProbe";
inline constexpr const wchar_t* kProbeAnswer = L"Tassefiche.e2e.PointerProbe.Answer";
inline constexpr DWORD kUnknownPointer = 0xFFFFFFFF;

// The resource number of the cursor shown now, as the program loaded it (of the platform's cursors,
// 32512 is the arrow, 32650 the arrow with an hourglass); kUnknownPointer when none can be read.
DWORD PointerShown(const RunningProgram& program);

}  // namespace tassefiche::e2e
