#include "text_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

struct Read {
    LineRead result;
    std::string line;  // the buffer's text after the read, up to its first NUL
    bool at_end;
    bool operator==(const Read&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Read& read) {
    return out << "{" << static_cast<int>(read.result) << ", " << testing::PrintToString(read.line)
               << ", " << read.at_end << "}";
}

// Reads until the data ends or a read fails, through one buffer as the program does.
std::vector<Read> read_all(const std::string& bytes, std::size_t chunk_size) {
    TempDir dir;
    dir.write("in", bytes);
    auto input = TextInput::open(dir.file("in").c_str(), chunk_size);
    std::vector<Read> reads;
    std::vector<char> line(kLineBufferSize, '\0');
    for (;;) {
        LineRead result = input->read_line(line.data());
        reads.push_back({result, line.data(), input->at_end()});
        if (result != LineRead::line || input->at_end()) return reads;
    }
}

const std::size_t kChunkSizes[] = {1, 2, 3, 7, 4096, TextInput::kDefaultChunkSize};

struct ReadCase {
    std::string name;
    std::string bytes;
    std::vector<Read> reads;
};

TEST(TextInput, FollowsTheTextRules) {
    const auto line = LineRead::line, end = LineRead::end_of_data;
    const ReadCase cases[] = {
        {"empty file", "", {{end, "", true}}},
        {"line feeds", "a\nb\n", {{line, "a\n", false}, {line, "b\n", false}, {end, "b\n", true}}},
        {"CR LF", "a\r\nb\r\n", {{line, "a\n", false}, {line, "b\n", false}, {end, "b\n", true}}},
        {"lone carriage returns end no line", "a\rb\r\rc\r", {{line, "abc", true}}},
        {"last line without line feed", "a\nb", {{line, "a\n", false}, {line, "b", true}}},
        {"empty lines", "\n\n", {{line, "\n", false}, {line, "\n", false}, {end, "\n", true}}},
        {"Ctrl-Z ends the data", "a\nb\x1a\nc\n", {{line, "a\n", false}, {line, "b", true}}},
        {"Ctrl-Z at a line start",
         "a\n\x1a"
         "b\n",
         {{line, "a\n", false}, {end, "a\n", true}}},
        {"NUL ends the text, not the line",
         std::string("a\0b\nc", 5),
         {{line, "a", false}, {line, "c", true}}},
        {"other bytes pass",
         "\t \x0e\xff\x80\n",
         {{line, "\t \x0e\xff\x80\n", false}, {end, "\t \x0e\xff\x80\n", true}}},
    };
    for (const ReadCase& c : cases) {
        for (std::size_t chunk_size : kChunkSizes) {
            SCOPED_TRACE(c.name + ", chunk " + std::to_string(chunk_size));
            EXPECT_EQ(read_all(c.bytes, chunk_size), c.reads);
        }
    }
}

TEST(TextInput, LineOfMaximumLengthLeavesItsLineFeedAlone) {
    const std::string full(kMaxLineLength, 'x');
    const auto line = LineRead::line, end = LineRead::end_of_data;
    const ReadCase cases[] = {
        {"line feed follows",
         full + "\r\ny",
         {{line, full, false}, {line, "\n", false}, {line, "y", true}}},
        {"data ends", full, {{line, full, false}, {end, full, true}}},
        {"Ctrl-Z follows",
         full + "\x1a"
                "y",
         {{line, full, false}, {end, full, true}}},
    };
    for (const ReadCase& c : cases) {
        for (std::size_t chunk_size : {std::size_t{7}, std::size_t{4096}, kMaxLineLength}) {
            SCOPED_TRACE(c.name + ", chunk " + std::to_string(chunk_size));
            EXPECT_EQ(read_all(c.bytes, chunk_size), c.reads);
        }
    }
}

TEST(TextInput, RefusesLongerLinesAndCountsTheLinesBefore) {
    const std::string too_long = "a\r\n\r\nb\n" + std::string(kMaxLineLength, 'x') + "y\n";
    for (std::size_t chunk_size : kChunkSizes) {
        SCOPED_TRACE(chunk_size);
        TempDir dir;
        dir.write("in", too_long);
        auto input = TextInput::open(dir.file("in").c_str(), chunk_size);
        char line[kLineBufferSize];
        for (int i = 0; i < 3; ++i) ASSERT_EQ(input->read_line(line), LineRead::line);
        EXPECT_EQ(input->read_line(line), LineRead::too_long);
        EXPECT_EQ(input->lines_read(), 3u);
    }
}

TEST(TextInput, OpenFailsOnlyWhenThePathCannotBeOpened) {
    TempDir dir;
    EXPECT_EQ(TextInput::open(dir.file("missing").c_str()), nullptr);
    auto folder = TextInput::open(dir.path().c_str());
    ASSERT_NE(folder, nullptr);
    char line[kLineBufferSize];
    EXPECT_EQ(folder->read_line(line), LineRead::failed);
}

TEST(TextOutput, WritesEachLineFeedAsCarriageReturnLineFeed) {
    const std::string text = "<A>\n\nb" + std::string(100, 'z') + "\n";
    for (std::size_t buffer_size : {1, 2, 3, 64, 4096}) {
        SCOPED_TRACE(buffer_size);
        TempDir dir;
        std::FILE* file = std::fopen(dir.file("out").c_str(), "wb");
        std::vector<char> buffer(buffer_size);
        TextOutput out(file, buffer);
        out.write(text.substr(0, 5));
        out.write(text.substr(5));
        EXPECT_TRUE(out.flush());
        std::fclose(file);
        EXPECT_EQ(dir.read("out"), crlf(text));
    }
}

TEST(TextOutput, ReportsAFailedWrite) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    char buffer[16];
    TextOutput out(full, buffer);
    out.write(std::string(100, 'x'));
    out.write("tail");
    EXPECT_FALSE(out.flush());
    std::fclose(full);
}

}  // namespace
