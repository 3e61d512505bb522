#include "listing_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "listings.h"

void make_list(const std::vector<Fields>& listings) {
    listing_head = listing_tail = new ListingNode{};
    for (const Fields& f : listings) {
        listing_tail->listing =
            new Listing{strdup(f[0].c_str()), strdup(f[1].c_str()), strdup(f[2].c_str())};
        listing_tail = listing_tail->next = new ListingNode{};
    }
}

std::vector<Fields> listed() {
    std::vector<Fields> fields;
    ListingNode* node = listing_head;
    for (; node->listing != nullptr; node = node->next) {
        const Listing& l = *node->listing;
        fields.push_back({l.title, l.address, l.description});
    }
    EXPECT_EQ(node->next, nullptr);
    EXPECT_EQ(node, listing_tail);
    return fields;
}
