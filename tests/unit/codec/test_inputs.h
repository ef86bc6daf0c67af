// Inputs of many shapes for the codec's tests, all deterministic.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t size, std::uint32_t seed, unsigned alphabet = 256);
Bytes Repeat(const std::string& unit, std::size_t size);
Bytes Concatenate(std::initializer_list<Bytes> parts);
// French-looking text with many repeated words.
Bytes Text(std::size_t size, std::uint32_t seed);
// Something like an executable: zero runs, small tables, repeated instruction-like records.
Bytes BinaryLike(std::size_t size, std::uint32_t seed);
// Blocks of five bytes whose pairs recur within the window but whose triples do not, after a
// lead-in that makes parses cutting at even and at odd block edges cost nearly the same.
Bytes BlockPairs(std::size_t blocks);

Bytes ReadFile(const std::filesystem::path& path);
std::filesystem::path FixtureDir();

}  // namespace codec_test
