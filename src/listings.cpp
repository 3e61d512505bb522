#include "listings.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "messages.h"

ListingNode* listing_head = nullptr;
ListingNode* listing_tail = nullptr;

namespace {

char* keep_line(const char* line) {
    std::size_t size = std::strlen(line) + 1;
    auto* copy = static_cast<char*>(std::malloc(size));
    if (copy == nullptr) fail_out_of_memory();
    return static_cast<char*>(std::memcpy(copy, line, size));
}

template <class Record>
Record* make_record() {
    auto* record = new (std::nothrow) Record{};
    if (record == nullptr) fail_out_of_memory();
    return record;
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

void append_listing(const char* title, const char* address, const char* description) {
    Listing* listing = make_record<Listing>();
    listing->title = keep_line(title);
    listing->address = keep_line(address);
    listing->description = keep_line(description);
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
