#include "page.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "listings.h"
#include "messages.h"
#include "text_stream.h"

namespace {

constexpr std::size_t kPageBufferSize = 1 << 18;
constexpr int kLookAhead = 16;

constexpr std::string_view kHeader =
    "<HTML>\n<HEAD>\n<TITLE>Sorted URLs</TITLE>\n"
    "</HEAD>\n<BODY>\n\n";
constexpr std::string_view kFooter = "\n</BODY>\n</HTML>";

// A field reaches the page up to its line feed, or up to a 0x0E byte.
std::string_view cut(const char* field) { return {field, std::strcspn(field, "\n\x0e")}; }

void write_entry(TextOutput& page, const Listing& listing) {
    page.write("<A HREF=\"");
    page.write(cut(listing.address));
    page.write("\">");
    page.write(cut(listing.title));
    page.write("</A>");
    if (listing.description[0] != '*') {
        page.write(" ");
        page.write(cut(listing.description));
    }
    page.write("<DT>\n");
}

// Creates the page only where nothing stands yet, so no file is ever replaced.
std::FILE* create_page(const char* page_name) {
    std::FILE* file = std::fopen(page_name, "wbx");
    if (file != nullptr) return file;
    if (errno == EEXIST) fail({"\nError output file ", page_name, " already exists!\n"});
    fail({"Error making output"});
}

}  // namespace

void write_page(const char* page_name) {
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kPageBufferSize]);
    if (buffer == nullptr) fail_out_of_memory();
    std::FILE* file = create_page(page_name);
    TextOutput page(file, {buffer.get(), kPageBufferSize});
    page.write(kHeader);
    // The listings lie in memory in file order and are written in title order: asking for
    // each one some entries ahead lets its memory arrive while earlier entries are written.
    ListingNode* ahead = listing_head;
    for (int i = 0; i < kLookAhead && ahead->listing != nullptr; ++i) ahead = ahead->next;
    for (ListingNode* node = listing_head; node->listing != nullptr; node = node->next) {
        if (ahead->listing != nullptr) {
            __builtin_prefetch(ahead->listing);
            __builtin_prefetch(reinterpret_cast<const char*>(ahead->listing) + 64);
            ahead = ahead->next;
        }
        write_entry(page, *node->listing);
    }
    page.write(kFooter);
    bool written = page.flush();
    if (std::fclose(file) != 0) written = false;
    if (!written) {
        // The half-written page is ours, and left behind it would block the next run.
        std::remove(page_name);
        fail({"Error writing output file ", page_name, " !\n"});
    }
}
