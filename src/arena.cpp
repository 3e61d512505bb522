#include "arena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "messages.h"

namespace {

constexpr std::size_t kChunkSize = std::size_t{4} << 20;

char* next_free = nullptr;
std::size_t bytes_left = 0;

}  // namespace

void* allocate_forever(std::size_t size, std::size_t align) {
    std::size_t padding = -reinterpret_cast<std::uintptr_t>(next_free) & (align - 1);
    if (size + padding > bytes_left) {
        std::size_t chunk_size = std::max(size, kChunkSize);
        // Chunks are never released: what they hold lives as long as the process.
        next_free = static_cast<char*>(std::malloc(chunk_size));
        if (next_free == nullptr) fail_out_of_memory();
        bytes_left = chunk_size;
        padding = 0;
    }
    void* block = next_free + padding;
    next_free += padding + size;
    bytes_left -= padding + size;
    return block;
}
