#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "listings.h"
#include "messages.h"

namespace {

unsigned char fold(unsigned char byte) {
    return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
}

// A listing being ordered, with eight folded bytes of its title, so that most comparisons
// are of two numbers in the array and not of two titles elsewhere in memory.
struct SortItem {
    std::uint64_t key;
    Listing* listing;
};

constexpr std::size_t kKeyBytes = sizeof(std::uint64_t);

// The folded bytes of title from depth on, zeros past its end, as a number that orders
// as the bytes do. The title must not end before depth.
std::uint64_t key_at(const char* title, std::size_t depth) {
    auto* byte = reinterpret_cast<const unsigned char*>(title) + depth;
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < kKeyBytes; ++i) {
        key <<= 8;
        if (*byte != '\0') key |= fold(*byte++);
    }
    return key;
}

// Folded title bytes are never zero, so a key ending in a zero byte holds the title's end.
bool holds_title_end(std::uint64_t key) { return (key & 0xff) == 0; }

// Turns counts of each byte value into the positions where each value's run starts.
void counts_to_starts(std::array<std::size_t, 256>& counts) {
    std::size_t start = 0;
    for (std::size_t& slot : counts) start += std::exchange(slot, start);
}

// Radix sort by key, a byte at a time from the lowest; stable like every counting pass.
void radix_sort_by_key(SortItem* items, std::size_t count, SortItem* scratch) {
    std::array<std::array<std::size_t, 256>, kKeyBytes> counts{};
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t b = 0; b < kKeyBytes; ++b) ++counts[b][(items[i].key >> (8 * b)) & 0xff];
    }
    SortItem *from = items, *to = scratch;
    for (std::size_t b = 0; b < kKeyBytes; ++b) {
        auto& starts = counts[b];
        if (starts[(from[0].key >> (8 * b)) & 0xff] == count) continue;  // one value: no change
        counts_to_starts(starts);
        for (std::size_t i = 0; i < count; ++i)
            to[starts[(from[i].key >> (8 * b)) & 0xff]++] = from[i];
        std::swap(from, to);
    }
    if (from != items) std::copy(from, from + count, items);
}

void sort_by_key(SortItem* items, std::size_t count, SortItem* scratch) {
    constexpr std::size_t kRadixAbove = 512;
    if (count > kRadixAbove) return radix_sort_by_key(items, count, scratch);
    std::stable_sort(items, items + count,
                     [](const SortItem& a, const SortItem& b) { return a.key < b.key; });
}

void sort_titles(SortItem* items, std::size_t count, std::size_t depth, SortItem* scratch);

// Sorts items, whose keys hold their titles' bytes from depth on, by their whole titles.
void sort_keyed_titles(SortItem* items, std::size_t count, std::size_t depth, SortItem* scratch) {
    sort_by_key(items, count, scratch);
    for (std::size_t first = 0, end; first < count; first = end) {
        end = first + 1;
        while (end < count && items[end].key == items[first].key) ++end;
        if (end - first > 1 && !holds_title_end(items[first].key)) {
            sort_titles(items + first, end - first, depth + kKeyBytes, scratch);
        }
    }
}

// Sorts items whose titles agree in their first depth folded bytes, by the rest of them,
// eight bytes at a time; equal titles keep their order.
void sort_titles(SortItem* items, std::size_t count, std::size_t depth, SortItem* scratch) {
    constexpr std::size_t kLookAhead = 8;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kLookAhead < count)
            __builtin_prefetch(items[i + kLookAhead].listing->title + depth);
        items[i].key = key_at(items[i].listing->title, depth);
    }
    sort_keyed_titles(items, count, depth, scratch);
}

// The highest byte of key_at(title, 0).
std::size_t first_key_byte(const Listing* listing) { return fold(listing->title[0]); }

}  // namespace

int compare_titles(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char folded_a = fold(*a), folded_b = fold(*b);
        if (folded_a != folded_b || folded_a == '\0') return folded_a - folded_b;
    }
}

// Orders the listings as a stable sort by compare_titles would, in time linear in the
// size of the titles, and puts them back into the nodes in that order. Nodes stay where
// they are. The first pass over the list already groups the listings by the first byte of
// their titles, so that the scratch space needs to hold only the largest group.
void sort_listings() {
    std::array<std::size_t, 256> group_starts{};
    std::size_t count = 0;
    for (ListingNode* node = listing_head; node->listing != nullptr; node = node->next, ++count) {
        ++group_starts[first_key_byte(node->listing)];
    }
    std::size_t largest_group = *std::max_element(group_starts.begin(), group_starts.end());
    counts_to_starts(group_starts);
    std::unique_ptr<SortItem[]> items(new (std::nothrow) SortItem[count]);
    std::unique_ptr<SortItem[]> scratch(new (std::nothrow) SortItem[largest_group]);
    if (items == nullptr || scratch == nullptr) fail_out_of_memory();

    std::array<std::size_t, 256> group_ends = group_starts;
    for (ListingNode* node = listing_head; node->listing != nullptr; node = node->next) {
        items[group_ends[first_key_byte(node->listing)]++] = {key_at(node->listing->title, 0),
                                                              node->listing};
    }
    for (std::size_t group = 0; group < 256; ++group) {
        std::size_t size = group_ends[group] - group_starts[group];
        sort_keyed_titles(items.get() + group_starts[group], size, 0, scratch.get());
    }
    SortItem* item = items.get();
    for (ListingNode* node = listing_head; node->listing != nullptr; node = node->next) {
        node->listing = (item++)->listing;
    }
}
