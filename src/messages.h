// Messages to the user, on standard error with every line feed as CR LF.
#pragma once

#include <initializer_list>
#include <string_view>

// Writes the pieces, one after another, as one message.
void say(std::initializer_list<std::string_view> pieces);

// Writes the message and ends the run with status 1.
[[noreturn]] void fail(std::initializer_list<std::string_view> pieces);

// Says that memory ran out and ends the run with status 1.
[[noreturn]] void fail_out_of_memory();
