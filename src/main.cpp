// brindle: turns a listing file of web links into one HTML page of links sorted by title.
#include <cstring>
#include <string>

#include "listings.h"
#include "messages.h"
#include "page.h"
#include "text_stream.h"

namespace {

constexpr std::string_view kPageSuffix = ".html";
// The page name, its suffix and terminator fit in one line buffer.
constexpr std::size_t kMaxOutputLength = kLineBufferSize - kPageSuffix.size() - 1;

void say_banner() {
    say({"Welcome to Brindle v1.1 - free software from the Brindle project.\n"});
    say({"brindle@example.org\nhttps://brindle.example.org/\n\n"});
}

void say_usage() {
    say({"Wrong number of command line arguments.\n"});
    say({"Must be in the form: brindle input output.\n"});
    say({"Example: brindle list.txt sorted\n"});
    say({"The output file argument should contain no extension. I'll add the .html .\n"});
    say({"Refer to the readme.txt file for info on how the input file should be formatted.\n"});
    say(
        {"The input file has 3 lines for each listing in the following format:\n\n"
         "title\naddress\ndescription\n\n"});
}

}  // namespace

int main(int argc, char** argv) {
    say_banner();
    if (argc != 3) {
        say_usage();
        return 1;
    }
    const char* input_path = argv[1];
    const char* output = argv[2];
    if (std::strlen(output) > kMaxOutputLength) {
        say({"Output file name is too long!\n"});
        return 1;
    }
    std::string page_name = std::string(output).append(kPageSuffix);

    std::unique_ptr<TextInput> input = TextInput::open(input_path);
    if (input == nullptr) {
        say({"Cannot find input file ", input_path, " !\n"});
        return 1;
    }
    say({"Reading in ", input_path, ".\n"});
    read_listings(std::move(input));

    say({"Sorting links.\n"});
    sort_listings();

    say({"Generating ", page_name, " .\n"});
    write_page(page_name.c_str());

    say({"Done.\n"});
    return 0;
}
