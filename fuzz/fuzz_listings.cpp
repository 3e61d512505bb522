// Fuzz target: arbitrary bytes through the reader, the ordering and the page writer, with
// the outcome checked against a plain model of the listing format.
//
// The first byte chooses how the rest, the listing file, is read a second time: bits 0-5
// give a chunk size of 1 to 64 bytes, and bit 6 makes the file fail to read halfway. The
// first reading uses a chunk larger than any line and never fails.
#include <stdio.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "harness.h"
#include "listings.h"
#include "page.h"
#include "text_stream.h"

namespace {

using Fields = std::array<std::string, 3>;  // title, address, description

constexpr std::string_view kHeader =
    "<HTML>\r\n<HEAD>\r\n<TITLE>Sorted URLs</TITLE>\r\n</HEAD>\r\n<BODY>\r\n\r\n";
constexpr std::string_view kFooter = "\r\n</BODY>\r\n</HTML>";
constexpr const char* kInputName = "in.txt";
constexpr std::size_t kNever = std::string_view::npos;
constexpr std::size_t kWholeChunkSize = 1 << 15;

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// ---- The model: the file's text after the format's rules, and what it holds.

std::string text_of(std::string_view bytes) {
    std::string text;
    for (char c : bytes.substr(0, bytes.find('\x1a'))) {
        if (c != '\r') text += c;
    }
    return text;
}

// The number of the first line longer than the limit, or 0 when there is none.
unsigned long first_long_line(const std::string& text) {
    unsigned long number = 1;
    std::size_t length = 0;
    for (char c : text) {
        if (c == '\n') {
            ++number, length = 0;
        } else if (++length > kMaxLineLength) {
            return number;
        }
    }
    return 0;
}

// Reads listings the plain way: lines as fgets with the format's capacity reads them,
// each line's text up to its first NUL, empty lines skipped, groups of three.
class ModelReader {
public:
    explicit ModelReader(std::string text) : text_(std::move(text)) {}

    std::vector<Fields> listings() {
        std::vector<Fields> listings;
        while (!at_end_) {
            Fields group;
            for (std::string& field : group) {
                if (!at_end_) read_line(field);
                while (field == "\n" && !at_end_) read_line(field);
            }
            if (!group[0].empty() && group[0] != "\n") listings.push_back(group);
        }
        return listings;
    }

private:
    void read_line(std::string& line) {
        if (position_ == text_.size()) {
            at_end_ = true;
            return;
        }
        std::size_t length = std::min(text_.size() - position_, kMaxLineLength);
        std::size_t newline = text_.find('\n', position_);
        if (newline != std::string::npos && newline - position_ < length) {
            length = newline - position_ + 1;
        }
        std::string raw = text_.substr(position_, length);
        position_ += length;
        if (raw.back() != '\n' && length < kMaxLineLength) at_end_ = true;
        line = raw.substr(0, raw.find('\0'));
    }

    std::string text_;
    std::size_t position_ = 0;
    bool at_end_ = false;
};

unsigned char folded(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? byte - 32 : byte;
}

bool title_before(const Fields& a, const Fields& b) {
    return std::lexicographical_compare(a[0].begin(), a[0].end(), b[0].begin(), b[0].end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

std::string cut(const std::string& field) { return field.substr(0, field.find_first_of("\n\x0e")); }

std::string model_page(const std::vector<Fields>& sorted) {
    std::string page(kHeader);
    for (const Fields& listing : sorted) {
        page.append("<A HREF=\"").append(cut(listing[1])).append("\">");
        page.append(cut(listing[0])).append("</A>");
        if (listing[2].empty() || listing[2][0] != '*') page.append(" ").append(cut(listing[2]));
        page.append("<DT>\r\n");
    }
    return page.append(kFooter);
}

// ---- The program's run, in this process.

struct ByteSource {
    std::string_view bytes;
    std::size_t position;
    std::size_t fail_at;
};

ssize_t read_source(void* cookie, char* buffer, std::size_t size) {
    auto* source = static_cast<ByteSource*>(cookie);
    if (source->position == source->fail_at) {
        errno = EIO;
        return -1;
    }
    std::size_t size_left = std::min(source->fail_at, source->bytes.size()) - source->position;
    std::size_t taken = std::min(size, size_left);
    std::memcpy(buffer, source->bytes.data() + source->position, taken);
    source->position += taken;
    return static_cast<ssize_t>(taken);
}

const std::string& page_path() {
    static const std::string path = [] {
        std::string folder =
            (std::filesystem::temp_directory_path() / "brindle-fuzz-XXXXXX").string();
        check(mkdtemp(folder.data()) != nullptr, "no scratch folder");
        return folder + "/page.html";
    }();
    return path;
}

std::vector<Fields> listed() {
    std::vector<Fields> listings;
    ListingNode* node = listing_head;
    for (; node->listing != nullptr; node = node->next) {
        const Listing& l = *node->listing;
        listings.push_back({l.title, l.address, l.description});
        if (node->next->listing != nullptr) {
            check(compare_titles(l.title, node->next->listing->title) <= 0, "titles out of order");
        }
    }
    check(node == listing_tail && node->next == nullptr, "the list does not end in one empty node");
    return listings;
}

struct Outcome {
    bool ended = false;
    std::string messages;
    std::vector<Fields> listings;
    std::optional<std::string> page;
    bool operator==(const Outcome&) const = default;
};

Outcome convert(std::string_view bytes, std::size_t chunk_size, std::size_t fail_at) {
    ByteSource source{bytes, 0, fail_at};
    FILE* file = fopencookie(&source, "rb", {read_source, nullptr, nullptr, nullptr});
    check(file != nullptr, "fopencookie failed");
    said_messages.clear();
    Outcome outcome;
    try {
        read_listings(TextInput::adopt(file, kInputName, chunk_size));
        sort_listings();
        outcome.listings = listed();
        write_page(page_path().c_str());
        std::ifstream page(page_path(), std::ios::binary);
        outcome.page = std::string(std::istreambuf_iterator<char>(page), {});
        std::remove(page_path().c_str());
    } catch (const RunEnded&) {
        outcome.ended = true;
        check(!std::filesystem::exists(page_path()), "a failed run left a page");
    }
    outcome.messages = said_messages;
    release_forever_allocations();
    return outcome;
}

void check_page_shape(const std::string& page, std::size_t listings) {
    check(page.starts_with(kHeader) && page.ends_with(kFooter), "header or footer missing");
    std::size_t line_feeds = 0;
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] != '\n') continue;
        ++line_feeds;
        check(i > 0 && page[i - 1] == '\r', "a line feed without its carriage return");
    }
    check(line_feeds == 8 + listings, "not one entry per listing");
}

std::string too_long_message(unsigned long line) {
    return "Line " + std::to_string(line) +
           " of input file in.txt is longer than 10000 characters!\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned options = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string text = text_of(bytes);
    const unsigned long long_line = first_long_line(text);

    Outcome whole = convert(bytes, kWholeChunkSize, kNever);
    if (long_line != 0) {
        check(whole.ended && whole.messages == too_long_message(long_line),
              "long line not refused");
    } else {
        std::vector<Fields> expected = ModelReader(text).listings();
        std::stable_sort(expected.begin(), expected.end(), title_before);
        check(!whole.ended && whole.messages == "Read in file.\n", "a good file was refused");
        check(whole.listings == expected, "listings differ from the model");
        check(whole.page == model_page(expected), "page differs from the model");
        check_page_shape(*whole.page, expected.size());
    }

    const std::size_t chunk_size = 1 + (options & 63);
    const bool failing = options & 64;
    Outcome pieces = convert(bytes, chunk_size, failing ? bytes.size() / 2 : kNever);
    if (!failing || !pieces.ended) {
        check(pieces == whole, "the chunk size changed the outcome");
        check(!failing || bytes.substr(0, bytes.size() / 2).find('\x1a') != std::string_view::npos,
              "a read error went unnoticed");
    } else {
        check(pieces.messages == "Error reading input file in.txt !\n" ||
                  (long_line != 0 && pieces.messages == too_long_message(long_line)),
              "a read error was not reported");
    }
    return 0;
}
