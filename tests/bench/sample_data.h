// A small deterministic file for the smoke run, made of the shapes that trip up a compressor:
// spaces at the very start (matches into the initial window), text with repeats near and beyond
// the window, long runs, a table of integers, incompressible bytes, lines that differ by one byte.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

std::vector<std::uint8_t> MakeSample();

}  // namespace bench
