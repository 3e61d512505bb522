// One allocation each, so that the sanitizers see the bounds of every record.
#include <cstdlib>
#include <vector>

#include "arena.h"
#include "harness.h"
#include "messages.h"

namespace {
std::vector<void*> allocations;
}

void* allocate_forever(std::size_t size, std::size_t) {
    void* block = std::malloc(size);
    if (block == nullptr) fail_out_of_memory();
    allocations.push_back(block);
    return block;
}

void release_forever_allocations() {
    for (void* block : allocations) std::free(block);
    allocations.clear();
}
