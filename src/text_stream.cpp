#include "text_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "messages.h"

namespace {

constexpr char kCtrlZ = 0x1A;

// Removes every carriage return from data in place; returns the new size.
std::size_t drop_carriage_returns(char* data, std::size_t size) {
    char* const end = data + size;
    char* out = static_cast<char*>(std::memchr(data, '\r', size));
    if (out == nullptr) return size;
    for (char* in = out + 1;;) {
        auto* next_cr = static_cast<char*>(std::memchr(in, '\r', end - in));
        char* stop = next_cr != nullptr ? next_cr : end;
        std::memmove(out, in, stop - in);
        out += stop - in;
        if (next_cr == nullptr) return out - data;
        in = next_cr + 1;
    }
}

}  // namespace

std::unique_ptr<TextInput> TextInput::open(const char* path, std::size_t chunk_size) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return nullptr;
    return adopt(file, path, chunk_size);
}

std::unique_ptr<TextInput> TextInput::adopt(std::FILE* file, const char* path,
                                            std::size_t chunk_size) {
    std::unique_ptr<char[]> chunk(new (std::nothrow) char[chunk_size]);
    if (chunk == nullptr) fail_out_of_memory();
    return std::unique_ptr<TextInput>(new TextInput(file, path, std::move(chunk), chunk_size));
}

TextInput::TextInput(std::FILE* file, const char* path, std::unique_ptr<char[]> chunk,
                     std::size_t size)
    : file_(file), path_(path), chunk_(std::move(chunk)), chunk_size_(size) {}

TextInput::~TextInput() { std::fclose(file_); }

// Loads the next chunk of data; false when there is none, or the file failed.
bool TextInput::refill() {
    begin_ = end_ = 0;
    while (end_ == 0 && !data_over_) {
        std::size_t size = std::fread(chunk_.get(), 1, chunk_size_, file_);
        if (std::ferror(file_)) {
            failed_ = data_over_ = true;
            return false;
        }
        if (size < chunk_size_) data_over_ = true;
        if (auto* ctrl_z = static_cast<char*>(std::memchr(chunk_.get(), kCtrlZ, size))) {
            size = ctrl_z - chunk_.get();
            data_over_ = true;
        }
        end_ = drop_carriage_returns(chunk_.get(), size);
    }
    return end_ != 0;
}

LineRead TextInput::read_line(char* line) {
    std::size_t length = 0;
    while (length < kMaxLineLength) {
        if (begin_ == end_ && !refill()) break;
        const char* start = chunk_.get() + begin_;
        std::size_t available = std::min(kMaxLineLength - length, end_ - begin_);
        const char* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        std::size_t taken = newline ? newline - start + 1 : available;
        std::memcpy(line + length, start, taken);
        length += taken;
        begin_ += taken;
        if (newline) {
            ++lines_read_;
            line[length] = '\0';
            return LineRead::line;
        }
    }
    if (failed_) return LineRead::failed;
    if (length < kMaxLineLength) {
        // The data ended before a line feed, as a stream's end-of-file indicator records.
        at_end_ = true;
        if (length == 0) return LineRead::end_of_data;
        line[length] = '\0';
        return LineRead::line;
    }
    line[length] = '\0';
    // A full line is fine when its line feed or the end of the data follows it.
    if (begin_ == end_ && !refill()) return failed_ ? LineRead::failed : LineRead::line;
    return chunk_[begin_] == '\n' ? LineRead::line : LineRead::too_long;
}

void TextOutput::write(std::string_view text) {
    while (!text.empty()) {
        const void* newline = std::memchr(text.data(), '\n', text.size());
        if (newline == nullptr) {
            put(text.data(), text.size());
            return;
        }
        std::size_t before = static_cast<const char*>(newline) - text.data();
        put(text.data(), before);
        put("\r\n", 2);
        text.remove_prefix(before + 1);
    }
}

void TextOutput::put(const char* data, std::size_t size) {
    if (size > buffer_.size() - used_) {
        drain();
        if (size >= buffer_.size()) {
            if (!failed_ && std::fwrite(data, 1, size, file_) != size) failed_ = true;
            return;
        }
    }
    std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
}

void TextOutput::drain() {
    if (used_ != 0 && !failed_ && std::fwrite(buffer_.data(), 1, used_, file_) != used_) {
        failed_ = true;
    }
    used_ = 0;
}

bool TextOutput::flush() {
    drain();
    if (!failed_ && std::fflush(file_) != 0) failed_ = true;
    return !failed_;
}
