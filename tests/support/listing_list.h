// Building and reading the global listing list in unit tests.
#pragma once

#include <array>
#include <string>
#include <vector>

using Fields = std::array<std::string, 3>;  // title, address, description

// Makes the list hold these listings, in this order, as the reader would leave it.
void make_list(const std::vector<Fields>& listings);

// The list's listings in order, after checking that it ends in one empty node, the tail.
std::vector<Fields> listed();
