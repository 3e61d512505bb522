#include "harness.h"
#include "messages.h"

std::string said_messages;

void say(std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) said_messages += piece;
}

void fail(std::initializer_list<std::string_view> pieces) {
    say(pieces);
    throw RunEnded{};
}

void fail_out_of_memory() { fail({"Ran out of memory."}); }
