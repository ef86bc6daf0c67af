// How COMPRESS -R names its output and how EXPAND gives the original name back.
//
// Compressing with renaming, on the last component of the name:
//   - an extension of three characters or more loses its last character to `_`, and that character
//     goes into the SZDD header: RAPPORT.TXT -> RAPPORT.TX_, page.html -> page.htm_;
//   - a shorter extension gets `_` appended, nothing is lost: A.B -> A.B_, NOTES.DC -> NOTES.DC_
//     (appending keeps PROG.C and PROG.H apart);
//   - no extension: `._` is appended: README -> README._ (a leading dot, as in .profile, does not
//     start an extension);
//   - a last character that the one-byte header field cannot hold (outside printable ASCII, or not
//     allowed in a Windows name) is kept and `_` is appended, as for a short extension;
//   - long names keep their length: only the extension's end changes.
// Expanding restores the name from the header:
//   - SZDD with a stored character: the final `_` becomes that character;
//   - SZDD without one (0, or the QBasic variant): the final `_` is dropped, then a final dot;
//   - KWAJ: the stored name and extension; a stored extension alone goes with the file's own stem;
//     with neither, the final `_` or `$` is dropped as above;
//   - a name without the final mark, or a file that is not compressed, keeps its name.
#pragma once

#include <string>
#include <string_view>

#include "codec/codec.h"

namespace tools {

// Whether a character may travel in the header's one-byte field: printable ASCII that a Windows
// file name may hold, and no dot.
bool IsStorableNameChar(char c);

struct CompressedName {
  std::string name;
  char lost_char = 0;  // goes into the SZDD header (0: nothing lost)
};
CompressedName RenameForCompression(std::string_view name);

struct RestoredName {
  std::string name;
  bool header_name_unusable = false;  // the header held a name we could not use (it was ignored)
};
// `header` is null for a file that is not compressed.
RestoredName RestoreName(std::string_view compressed_name, const codec::Header* header);

}  // namespace tools
