// A scratch folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    void write(const std::string& name, const std::string& bytes) const;
    // The bytes of a regular file, or nothing when none stands at name.
    std::optional<std::string> read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// text with every line feed as CR LF, as the program writes its page and messages.
std::string crlf(const std::string& text);
