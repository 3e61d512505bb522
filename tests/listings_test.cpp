#include "listings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing_list.h"
#include "temp_dir.h"

namespace {

std::vector<Fields> read_bytes(const std::string& bytes) {
    TempDir dir;
    dir.write("list.txt", bytes);
    read_listings(TextInput::open(dir.file("list.txt").c_str()));
    return listed();
}

struct Case {
    std::string name;
    std::string bytes;
    std::vector<Fields> listings;
};

TEST(ReadListings, FollowsTheListingFormat) {
    const std::string full(kMaxLineLength, 'x');
    const Case cases[] = {
        {"empty file", "", {}},
        {"only empty lines", "\n\n\r\n\n", {}},
        {"one listing", "A\na.html\nfirst\n", {{"A\n", "a.html\n", "first\n"}}},
        {"empty lines between listings",
         "A\na.html\nfirst\n\n\nB\nb.html\nsecond\n",
         {{"A\n", "a.html\n", "first\n"}, {"B\n", "b.html\n", "second\n"}}},
        {"empty lines inside a listing",
         "A\n\na.html\n\nfirst\n",
         {{"A\n", "a.html\n", "first\n"}}},
        {"CR LF", "A\r\na.html\r\n\r\nfirst\r\n", {{"A\n", "a.html\n", "first\n"}}},
        {"spaces are content", " \n\t\n*\n", {{" \n", "\t\n", "*\n"}}},
        {"file ends after the address", "A\na.html\n", {{"A\n", "a.html\n", ""}}},
        {"file ends after the title", "A\n", {{"A\n", "", ""}}},
        {"empty line then end of file", "A\na.html\n\n", {{"A\n", "a.html\n", "\n"}}},
        {"last line without line feed", "A\na.html\nfirst", {{"A\n", "a.html\n", "first"}}},
        {"blank description takes the next title",
         "A\na\n\nB\nb\n*\n",
         {{"A\n", "a\n", "B\n"}, {"b\n", "*\n", ""}}},
        {"Ctrl-Z ends the data",
         "A\na\n1\n\x1a"
         "B\nb\n2\n",
         {{"A\n", "a\n", "1\n"}}},
        {"NUL ends a title", std::string("A\0B\na\n1\n", 8), {{"A", "a\n", "1\n"}}},
        {"title beginning with NUL drops its group",
         std::string("\0A\na\n1\nB\nb\n2\n", 13),
         {{"B\n", "b\n", "2\n"}}},
        {"line of 10000 characters loses its line feed", full + "\na\n1\n", {{full, "a\n", "1\n"}}},
        {"line of 10000 characters at the end", "A\na\n" + full + "\n", {{"A\n", "a\n", full}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read_bytes(c.bytes), c.listings);
    }
}

TEST(ReadListingsDeathTest, EndsTheRunOnALineThatIsTooLong) {
    std::string bytes = "A\na\n1\n" + std::string(kMaxLineLength + 1, 'x') + "\n";
    EXPECT_EXIT(read_bytes(bytes), testing::ExitedWithCode(1),
                "^Line 4 of input file .*list.txt is longer than 10000 characters!\r\n$");
}

}  // namespace
