// The listing list: every link of the listing file, read into memory and put in title order.
#pragma once

#include "text_stream.h"

// One link. Each field is its line exactly as read, line feed included when it had one.
struct Listing {
    char* title;
    char* address;
    char* description;  // begins with '*' when the link has no description
};

// The list always ends in one empty node, whose listing and next are both null.
struct ListingNode {
    Listing* listing;
    ListingNode* next;
};

extern ListingNode* listing_head;
extern ListingNode* listing_tail;  // the empty last node

// Fills the list from input, says "Read in file.", and closes input. Ends the run on a
// read error, a line that is too long, or exhausted memory.
void read_listings(std::unique_ptr<TextInput> input);

// Puts the list in ascending compare_titles order; equal titles keep their order.
void sort_listings();

// Compares two titles byte by byte, ASCII letters folded to upper case, bytes unsigned.
// Negative, zero or positive as a sorts before, with or after b.
int compare_titles(const char* a, const char* b);
