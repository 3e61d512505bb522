#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "listing_list.h"
#include "listings.h"

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareTitles, FoldsOnlyAsciiLettersAndComparesUnsignedBytes) {
    struct Case {
        std::string a, b;
        int sign;
    };
    const Case cases[] = {
        {"apple\n", "APPLE\n", 0},
        {"Apple\n", "banana\n", -1},
        {"_under\n", "apple\n", 1},  // '_' sorts after every letter
        {"Zebra\n", "[bracket\n", -1},
        {"zebra\n", "{brace\n", -1},
        {"`tick\n", "{brace\n", -1},
        {"\xdc"
         "ber\n",
         "Zebra\n", 1},             // bytes from 0x80 sort after ASCII
        {"\xfc\n", "\xdc\n", 1},    // and are not folded
        {"Abc\n", "Abcd\n", -1},    // the line feed sorts below letters
        {"Abc", "Abc\n", -1},       // a proper prefix sorts first
        {"Abc\tX\n", "Abc\n", -1},  // a tab sorts below the line feed
        {"", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " vs " + testing::PrintToString(c.b));
        EXPECT_EQ(sign(compare_titles(c.a.c_str(), c.b.c_str())), c.sign);
        EXPECT_EQ(sign(compare_titles(c.b.c_str(), c.a.c_str())), -c.sign);
    }
    EXPECT_EQ(compare_titles("a", "\xff"), 'A' - 0xff);
}

// Builds the list from titles, each with an address that tells them apart.
void make_titled_list(const std::vector<std::string>& titles) {
    std::vector<Fields> listings;
    for (std::size_t i = 0; i < titles.size(); ++i)
        listings.push_back({titles[i], std::to_string(i), "*"});
    make_list(listings);
}

// The addresses in list order, after checking the list kept its shape.
std::vector<std::string> order(ListingNode* head, ListingNode* tail) {
    EXPECT_EQ(listing_head, head);
    EXPECT_EQ(listing_tail, tail);
    std::vector<std::string> addresses;
    for (const Fields& listing : listed()) addresses.push_back(listing[1]);
    return addresses;
}

TEST(SortListings, OrdersByTitleAndKeepsFileOrderForEqualTitles) {
    struct Case {
        std::vector<std::string> titles;
        std::vector<std::string> addresses;  // the file positions, in sorted order
    };
    const Case cases[] = {
        {{}, {}},
        {{"one\n"}, {"0"}},
        {{"banana\n", "Apple\n", "cherry\n"}, {"1", "0", "2"}},
        {{"apple\n", "APPLE\n"}, {"0", "1"}},
        {{"APPLE\n", "apple\n"}, {"0", "1"}},
        {{"zulu\n", "_under\n", "Apple pie\n", "apple\n", "[bracket\n", "banana\n", "APPLE\n",
          "~tilde\n", "123\n", " lead\n"},
         {"9", "8", "3", "6", "2", "5", "0", "4", "1", "7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.titles));
        make_titled_list(c.titles);
        ListingNode *head = listing_head, *tail = listing_tail;
        sort_listings();
        EXPECT_EQ(order(head, tail), c.addresses);
    }
}

// The ordering as first written: exchange neighbours on a positive comparison, pass after
// pass, until a pass exchanges none. Returns the file positions in sorted order.
std::vector<std::string> exchange_sorted(const std::vector<std::string>& titles) {
    std::vector<std::size_t> order(titles.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            if (compare_titles(titles[order[i]].c_str(), titles[order[i + 1]].c_str()) > 0) {
                std::swap(order[i], order[i + 1]);
                exchanged = true;
            }
        }
    }
    std::vector<std::string> positions;
    for (std::size_t i : order) positions.push_back(std::to_string(i));
    return positions;
}

// Titles that tell a wrong fold or tie-break apart: few distinct bytes (letters of both
// cases, the bytes between the letter ranges, bytes from 0x80 up, tabs, spaces), shared
// prefixes longer than the eight bytes compared at a time, many equal titles, and titles
// with and without the stored line feed.
std::string random_title(std::mt19937& random) {
    static const std::string kBytes = "aAbBzZ[\\]^_`{|}~ \t@\x80\xdc\xfc\xff";
    static const std::string kPrefixes[] = {"", "", "Same prefix of twenty", "SAME PREFIX of Tw",
                                            "same"};
    std::string title = kPrefixes[random() % 5];
    for (std::size_t length = random() % 4; length > 0; --length) {
        title += kBytes[random() % kBytes.size()];
    }
    if (random() % 4 != 0) title += '\n';
    return title;
}

TEST(SortListings, OrdersExactlyAsExchangingNeighboursDoes) {
    std::mt19937 random(2026);
    for (std::size_t size : {0, 1, 2, 3, 10, 50, 200, 600, 1500, 3000}) {
        for (int round = 0; round < (size < 600 ? 20 : 3); ++round) {
            std::vector<std::string> titles;
            for (std::size_t i = 0; i < size; ++i) titles.push_back(random_title(random));
            SCOPED_TRACE(testing::Message() << size << " titles, round " << round);
            make_titled_list(titles);
            ListingNode *head = listing_head, *tail = listing_tail;
            sort_listings();
            ASSERT_EQ(order(head, tail), exchange_sorted(titles));
        }
    }
}

}  // namespace
