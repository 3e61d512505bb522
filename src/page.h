// The HTML page: one link per listing, in list order.
#pragma once

// Creates page_name and writes the page of the listing list into it. Ends the run, leaving
// no page behind, when something already stands at page_name or the page cannot be made
// or written in full.
void write_page(const char* page_name);
