// The listing format's text rules, the same on every platform: files are opened in
// binary mode and this layer alone knows about carriage returns, Ctrl-Z and CR LF.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>

// A line holds at most this many characters; its line feed is kept when it fits.
inline constexpr std::size_t kMaxLineLength = 10000;
// Room for a whole line, its line feed and the terminator.
inline constexpr std::size_t kLineBufferSize = 10004;

enum class LineRead {
    line,         // a line was delivered
    end_of_data,  // nothing was left; the buffer is untouched
    too_long,     // the line holds more than kMaxLineLength characters
    failed,       // the file could not be read
};

// Reads a file by the listing format's rules: every CR is dropped, the first Ctrl-Z
// ends the data, and lines are read like fgets with a capacity of kMaxLineLength + 1.
class TextInput {
public:
    static constexpr std::size_t kDefaultChunkSize = 1 << 20;

    // Opens path for reading; returns nothing when it cannot be opened.
    static std::unique_ptr<TextInput> open(const char* path,
                                           std::size_t chunk_size = kDefaultChunkSize);
    // Reads file, already open in binary mode, under the name path; closes it when done.
    static std::unique_ptr<TextInput> adopt(std::FILE* file, const char* path,
                                            std::size_t chunk_size = kDefaultChunkSize);
    ~TextInput();
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    // Reads the next line into line (kLineBufferSize bytes), NUL-terminated, with its
    // line feed when one ended it. At end of data the buffer is left as it was.
    LineRead read_line(char* line);

    // True once a read has found no more data, or delivered a last line without a
    // line feed: the stream's end-of-file indicator.
    bool at_end() const { return at_end_; }
    // The number of line feeds read so far.
    unsigned long lines_read() const { return lines_read_; }
    const char* path() const { return path_; }

private:
    TextInput(std::FILE* file, const char* path, std::unique_ptr<char[]> chunk, std::size_t size);
    bool refill();

    std::FILE* file_;
    const char* path_;
    std::unique_ptr<char[]> chunk_;
    std::size_t chunk_size_;
    std::size_t begin_ = 0;  // next unread byte of the chunk
    std::size_t end_ = 0;    // end of the chunk's data, CRs already dropped
    bool data_over_ = false;
    bool failed_ = false;
    bool at_end_ = false;
    unsigned long lines_read_ = 0;
};

// Writes to a file through a buffer the caller provides, each line feed as CR LF.
// A failed write is remembered, and later writes are dropped.
class TextOutput {
public:
    TextOutput(std::FILE* file, std::span<char> buffer) : file_(file), buffer_(buffer) {}

    void write(std::string_view text);
    // Hands the buffered bytes to the file and flushes it; false once any write failed.
    bool flush();

private:
    void put(const char* data, std::size_t size);
    void drain();

    std::FILE* file_;
    std::span<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};
