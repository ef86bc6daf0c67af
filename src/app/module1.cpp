#include "app/module1.h"

namespace tassefiche {

std::wstring AddBackslash(std::wstring_view path) {
  std::wstring result(path);
  if (!result.ends_with(L'\\')) result += L'\\';
  return result;
}

}  // namespace tassefiche
