// Files dragged from another process onto a window of the program, through the platform's drag
// and drop and real mouse input, as a user drags them from the file manager.
#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

namespace tassefiche::e2e {

// Drags `files` (all in one folder) from a window of this process and drops them over the centre
// of `onto`; returns the effect that the target chose (DROPEFFECT_NONE when it refused them).
DWORD DragFiles(const std::vector<std::filesystem::path>& files, HWND onto);

}  // namespace tassefiche::e2e
