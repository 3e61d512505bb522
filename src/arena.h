// Memory for records that live until the process ends: taken from large chunks, so
// that a million small records cost neither a million allocations nor their overhead.
#pragma once

#include <cstddef>

// Returns size bytes aligned to align (a power of two, at most that of max_align_t).
// Ends the run with "Ran out of memory." when memory is exhausted.
void* allocate_forever(std::size_t size, std::size_t align);
