// The decoder's side of tree updates: a tree's new code lengths, read as differences from its
// previous ones through the pretree that precedes them.
#pragma once

#include <cstdint>
#include <span>

#include "bits/word_bit_reader.h"

namespace codec {

// Replaces `lengths` (the previous lengths on entry) by the ones the stream sends. False for a
// pretree that is not an accepted code, a code it does not hold, or a run past the end of
// `lengths`. Overruns are the caller's to check.
bool ReadLzxTree(WordBitReader& reader, std::span<std::uint8_t> lengths);

}  // namespace codec
