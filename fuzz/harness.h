// What the fuzz target links in place of the program's messages and arena: a failed run
// throws instead of ending the process, and every allocation can be released between runs.
#pragma once

#include <string>

// Thrown where the program would end the run with status 1.
struct RunEnded {};

// Every message said since it was last cleared, as the program hands it over.
extern std::string said_messages;

// Releases what allocate_forever has handed out.
void release_forever_allocations();
