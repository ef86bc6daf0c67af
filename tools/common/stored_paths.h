// Where a file stored in an archive under some name may be written: a path inside the
// destination folder, whatever the stored name holds. Each rule below either makes a part safe or
// refuses the file:
//   - `\` and `/` both separate folders;
//   - a leading drive (`C:`) and leading separators are dropped, so that absolute names land
//     inside the destination; empty parts and `.` parts are dropped;
//   - a `..` part refuses the file;
//   - each character that Windows refuses in a name (< > : " | ? * and control characters)
//     becomes `_`, so that `:` can never reach a stream;
//   - trailing dots and blanks of a part are dropped, as Windows would drop them; a part left
//     empty refuses the file;
//   - a device name (CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9, CONIN$, CONOUT$, CLOCK$),
//     alone or with an extension, in any case, gets `_` in front: `_CON.TXT`;
//   - a part of more than 255 characters refuses the file, as does a name with no part left.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tools {

struct StoredPath {
  std::vector<std::string> parts;  // folders, then the file's own name; empty when refused
  std::string refusal;             // why the file is refused, in French
};

StoredPath SafeStoredPath(std::string_view stored);

}  // namespace tools
