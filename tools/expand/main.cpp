#include "common/entry.h"
#include "expand/expand_tool.h"

#ifdef _WIN32
// The tool expands patterns itself (case-insensitively, with a clear message when none matches):
// the MinGW runtime must hand them over untouched.
extern "C" {
int _dowildcard = 0;
}

int wmain(int argc, wchar_t** argv) {
  return tools::WindowsMain(argc, argv, "EXPAND", tools::RunExpand);
}
#else
int main(int argc, char** argv) {
  return tools::PosixMain(argc, argv, "EXPAND", tools::RunExpand);
}
#endif
