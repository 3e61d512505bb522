// Whole runs of the built program: messages, exit status, and every file left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "run_program.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kBanner =
    "Welcome to Brindle v1.1 - free software from the Brindle project.\n"
    "brindle@example.org\nhttps://brindle.example.org/\n\n";
const std::string kUsage =
    "Wrong number of command line arguments.\n"
    "Must be in the form: brindle input output.\n"
    "Example: brindle list.txt sorted\n"
    "The output file argument should contain no extension. I'll add the .html .\n"
    "Refer to the readme.txt file for info on how the input file should be formatted.\n"
    "The input file has 3 lines for each listing in the following format:\n\n"
    "title\naddress\ndescription\n\n";
const std::string kHeader = "<HTML>\n<HEAD>\n<TITLE>Sorted URLs</TITLE>\n</HEAD>\n<BODY>\n\n";
const std::string kFooter = "\n</BODY>\n</HTML>";
const std::string kRunUntilPage =
    "Reading in list.txt.\nRead in file.\nSorting links.\nGenerating sorted.html .\n";
const std::string kSuccess = kRunUntilPage + "Done.\n";

// What stands in the run's folder before it starts.
struct Entry {
    enum Kind { file, folder, link, unreadable_file, large_listing_file } kind;
    std::string name;
    std::string content;  // a file's bytes, or a link's target
};

Entry file(std::string name, std::string bytes) { return {Entry::file, name, bytes}; }
Entry list(std::string bytes) { return file("list.txt", bytes); }

struct Case {
    std::string name;
    std::vector<Entry> before;
    std::vector<std::string> args;
    int status;
    std::string messages;             // after the banner, with plain line feeds
    std::optional<std::string> page;  // the page's text with plain line feeds, if made
    std::string page_name = "sorted.html";
    RunLimits limits = {};
};

// About 24 MB of listings: more than fits in the memory of the row that reads them.
std::string large_listing_file() {
    std::string bytes;
    for (int i = 0; i < 400000; ++i) {
        std::string number = std::to_string(i);
        bytes += "Title " + number + "\nhttps://example.org/" + number + "\nA description " +
                 number + "\n";
    }
    return bytes;
}

void PrintTo(const Case& run, std::ostream* out) { *out << run.name; }

void make_entry(const TempDir& dir, const Entry& entry) {
    fs::path path = dir.path() / entry.name;
    switch (entry.kind) {
        case Entry::file:
            dir.write(entry.name, entry.content);
            break;
        case Entry::unreadable_file:
            dir.write(entry.name, entry.content);
            chmod(path.c_str(), 0);
            break;
        case Entry::large_listing_file:
            dir.write(entry.name, large_listing_file());
            break;
        case Entry::folder:
            fs::create_directory(path);
            break;
        case Entry::link:
            fs::create_symlink(entry.content, path);
            break;
    }
}

// Every entry of the folder, as "kind:content", so that any change shows.
std::map<std::string, std::string> snapshot(const TempDir& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        std::string name = fs::relative(entry.path(), dir.path()).string();
        if (entry.is_symlink()) {
            entries[name] = "link:" + fs::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            entries[name] = "folder";
        } else {
            entries[name] = "file:" + dir.read(name).value();
        }
    }
    return entries;
}

std::string page(const std::string& entries) { return kHeader + entries + kFooter; }

std::string line_of(std::size_t length, char fill = 'x') { return std::string(length, fill); }

const std::string kLongName(9999, 'n');

std::vector<Case> cases() {
    return {
        {"no arguments", {}, {}, 1, kUsage, {}},
        {"one argument", {list("A\na\n*\n")}, {"list.txt"}, 1, kUsage, {}},
        {"three arguments", {list("A\na\n*\n")}, {"list.txt", "sorted", "x"}, 1, kUsage, {}},
        {"converts in title order",
         {list("Zeta\r\nz.html\r\nlast\r\n\r\nalpha\r\na.html\r\n*\r\n")},
         {"list.txt", "sorted"},
         0,
         kSuccess,
         page("<A HREF=\"a.html\">alpha</A><DT>\n<A HREF=\"z.html\">Zeta</A> last<DT>\n")},
        {"empty listing file", {list("")}, {"list.txt", "sorted"}, 0, kSuccess, page("")},
        {"markup passes unchanged",
         {list("R&amp;D <b>now</b>\nq.html?a=1&b=\"2\"\n\xe9t\xe9 & co\n")},
         {"list.txt", "sorted"},
         0,
         kSuccess,
         page("<A HREF=\"q.html?a=1&b=\"2\"\">R&amp;D <b>now</b></A> \xe9t\xe9 & co<DT>\n")},
        {"output name keeps its extension",
         {list("A\na\n*\n")},
         {"list.txt", "sorted.html"},
         0,
         "Reading in list.txt.\nRead in file.\nSorting links.\nGenerating sorted.html.html .\n"
         "Done.\n",
         page("<A HREF=\"a\">A</A><DT>\n"),
         "sorted.html.html"},
        {"missing input",
         {},
         {"missing.txt", "sorted"},
         1,
         "Cannot find input file missing.txt !\n",
         {}},
        {"input is a folder",
         {{Entry::folder, "list.txt", ""}},
         {"list.txt", "sorted"},
         1,
         "Reading in list.txt.\nError reading input file list.txt !\n",
         {}},
        {"page already there",
         {list("A\na\n*\n"), file("sorted.html", "keep me")},
         {"list.txt", "sorted"},
         1,
         kRunUntilPage + "\nError output file sorted.html already exists!\n",
         {}},
        {"unreadable page already there",
         {list("A\na\n*\n"), {Entry::unreadable_file, "sorted.html", "keep me"}},
         {"list.txt", "sorted"},
         1,
         kRunUntilPage + "\nError output file sorted.html already exists!\n",
         {}},
        {"folder at the page name",
         {list("A\na\n*\n"), {Entry::folder, "sorted.html", ""}},
         {"list.txt", "sorted"},
         1,
         kRunUntilPage + "\nError output file sorted.html already exists!\n",
         {}},
        {"dangling link at the page name",
         {list("A\na\n*\n"), {Entry::link, "sorted.html", "elsewhere.html"}},
         {"list.txt", "sorted"},
         1,
         kRunUntilPage + "\nError output file sorted.html already exists!\n",
         {}},
        {"page folder missing",
         {list("A\na\n*\n")},
         {"list.txt", "missing/sorted"},
         1,
         "Reading in list.txt.\nRead in file.\nSorting links.\nGenerating missing/sorted.html .\n"
         "Error making output",
         {}},
        {"output name too long",
         {list("A\na\n*\n")},
         {"list.txt", kLongName},
         1,
         "Output file name is too long!\n",
         {}},
        {"longest output name fits the buffer but not the folder",
         {list("A\na\n*\n")},
         {"list.txt", kLongName.substr(1)},
         1,
         "Reading in list.txt.\nRead in file.\nSorting links.\nGenerating " + kLongName.substr(1) +
             ".html .\nError making output",
         {}},
        {"page does not fit on the disk",
         {list("A\na\n" + line_of(5000) + "\n")},
         {"list.txt", "sorted"},
         1,
         kRunUntilPage + "Error writing output file sorted.html !\n",
         {},
         "sorted.html",
         {.file_size = 4096}},
        {"memory runs out",
         {{Entry::large_listing_file, "list.txt", ""}},
         {"list.txt", "sorted"},
         1,
         "Reading in list.txt.\nRan out of memory.",
         {},
         "sorted.html",
         {.address_space = 24 << 20}},
        {"line of 10000 characters is accepted",
         {list("T\na\n" + line_of(10000) + "\n")},
         {"list.txt", "sorted"},
         0,
         kSuccess,
         page("<A HREF=\"a\">T</A> " + line_of(10000) + "<DT>\n")},
        {"line of 10001 characters is refused",
         {list("T\r\na\r\n\r\n" + line_of(9000) + '\0' + line_of(1000) + "\r\nT2\n")},
         {"list.txt", "sorted"},
         1,
         "Reading in list.txt.\nLine 4 of input file list.txt is longer than 10000 characters!\n",
         {}},
        {"long line after Ctrl-Z is not read",
         {list("T\na\nd\n\x1a" + line_of(20000) + "\n")},
         {"list.txt", "sorted"},
         0,
         kSuccess,
         page("<A HREF=\"a\">T</A> d<DT>\n")},
    };
}

class EndToEnd : public testing::TestWithParam<Case> {};

TEST_P(EndToEnd, Run) {
    const Case& run = GetParam();
#ifdef BRINDLE_SANITIZED
    if (run.limits.address_space != RLIM_INFINITY) {
        GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
    }
#endif
    TempDir dir;
    for (const Entry& entry : run.before) make_entry(dir, entry);
    auto expected_files = snapshot(dir);
    if (run.page) expected_files[run.page_name] = "file:" + crlf(*run.page);

    RunResult result = run_program(BRINDLE_PATH, dir.path(), run.args, run.limits);

    EXPECT_EQ(result.status, run.status);
    EXPECT_EQ(result.error_output, crlf(kBanner + run.messages));
    EXPECT_EQ(result.standard_output, "");
    EXPECT_EQ(snapshot(dir), expected_files);
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (char c : info.param.name) name += std::isalnum(c) ? c : '_';
                             return name;
                         });

}  // namespace
