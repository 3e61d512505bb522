#include "listings.h"

namespace {

unsigned char fold(char byte) {
    auto value = static_cast<unsigned char>(byte);
    return value >= 'a' && value <= 'z' ? value - ('a' - 'A') : value;
}

}  // namespace

int compare_titles(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char folded_a = fold(*a), folded_b = fold(*b);
        if (folded_a != folded_b || folded_a == '\0') return folded_a - folded_b;
    }
}

// Exchanges neighbouring listings until a whole pass exchanges none. Only a strictly
// positive comparison exchanges, so equal titles keep the order of the file.
void sort_listings() {
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (ListingNode* node = listing_head; node->listing != nullptr; node = node->next) {
            Listing* following = node->next->listing;
            if (following != nullptr && compare_titles(node->listing->title, following->title) > 0) {
                node->next->listing = node->listing;
                node->listing = following;
                exchanged = true;
            }
        }
    }
}
