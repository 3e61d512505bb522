#include "listings.h"

#include <charconv>
#include <cstring>
#include <new>
#include <string>

#include "arena.h"
#include "messages.h"

ListingNode* listing_head = nullptr;
ListingNode* listing_tail = nullptr;

namespace {

template <class Record>
Record* make_record(std::size_t extra_bytes = 0) {
    return new (allocate_forever(sizeof(Record) + extra_bytes, alignof(Record))) Record{};
}

[[noreturn]] void fail_too_long(const TextInput& input) {
    char number[24];
    auto end = std::to_chars(number, number + sizeof number, input.lines_read() + 1).ptr;
    fail({"Line ", std::string_view(number, end - number), " of input file ", input.path(),
          " is longer than 10000 characters!\n"});
}

void read_line(TextInput& input, char* line) {
    switch (input.read_line(line)) {
        case LineRead::too_long:
            fail_too_long(input);
        case LineRead::failed:
            fail({"Error reading input file ", input.path(), " !\n"});
        case LineRead::line:
        case LineRead::end_of_data:
            return;
    }
}

bool is_empty_line(const char* line) { return line[0] == '\n' && line[1] == '\0'; }

// Reads the next line that is not empty into line; at the end of the data, line is left
// empty, or holds the empty line that was read last.
void read_field(TextInput& input, char* line) {
    line[0] = '\0';
    if (!input.at_end()) read_line(input, line);
    while (is_empty_line(line) && !input.at_end()) read_line(input, line);
}

// A listing and its three fields share one block, so that they are near each other when
// the list is ordered and written.
void append_listing(const char* title, const char* address, const char* description) {
    std::size_t title_size = std::strlen(title) + 1, address_size = std::strlen(address) + 1,
                description_size = std::strlen(description) + 1;
    Listing* listing = make_record<Listing>(title_size + address_size + description_size);
    char* fields = reinterpret_cast<char*>(listing + 1);
    listing->title = static_cast<char*>(std::memcpy(fields, title, title_size));
    listing->address = static_cast<char*>(std::memcpy(fields + title_size, address, address_size));
    listing->description = static_cast<char*>(
        std::memcpy(fields + title_size + address_size, description, description_size));
    listing_tail->listing = listing;
    listing_tail->next = make_record<ListingNode>();
    listing_tail = listing_tail->next;
}

}  // namespace

void read_listings(std::unique_ptr<TextInput> input) {
    char title[kLineBufferSize], address[kLineBufferSize], description[kLineBufferSize];
    listing_head = listing_tail = make_record<ListingNode>();
    while (!input->at_end()) {
        read_field(*input, title);
        read_field(*input, address);
        read_field(*input, description);
        // An empty title is what is left at the end of the data, after trailing empty
        // lines, or of a title line that begins with a NUL byte.
        if (title[0] == '\0' || is_empty_line(title)) continue;
        append_listing(title, address, description);
    }
    say({"Read in file.\n"});
}
