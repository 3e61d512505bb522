#include "messages.h"

#include <cstdio>
#include <cstdlib>

#include "text_stream.h"

void say(std::initializer_list<std::string_view> pieces) {
    // On the stack, so that even "Ran out of memory." can be said.
    char buffer[4096];
    TextOutput error_stream(stderr, buffer);
    for (std::string_view piece : pieces) error_stream.write(piece);
    error_stream.flush();
}

void fail(std::initializer_list<std::string_view> pieces) {
    say(pieces);
    std::exit(1);
}

void fail_out_of_memory() { fail({"Ran out of memory."}); }
