// Deterministic listing files of any size, for the benchmark.
#pragma once

#include <cstddef>
#include <string>

// Writes count listings to path: titles of 1 to 6 words, half of them capitalised,
// addresses, descriptions of 2 to 12 words or (one in ten) "*", CR LF line ends.
// The same count always gives the same bytes. Returns the file's size.
std::size_t generate_listings(const std::string& path, std::size_t count);
