#include "listing_generator.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::string_view kWords[] = {
    "alpha",   "archive", "bamboo",  "beacon",   "binary",    "border",  "bridge",  "canyon",
    "carbon",  "castle",  "cedar",   "channel",  "cinder",    "circuit", "cloud",   "compass",
    "copper",  "coral",   "crystal", "delta",    "desert",    "digital", "dragon",  "ember",
    "engine",  "falcon",  "field",   "forest",   "fossil",    "garden",  "glacier", "granite",
    "harbor",  "harvest", "horizon", "island",   "jasmine",   "journal", "kernel",  "lantern",
    "lattice", "library", "marble",  "meadow",   "mirror",    "monsoon", "network", "nimbus",
    "orbit",   "orchard", "packet",  "pebble",   "pioneer",   "planet",  "prism",   "quarry",
    "quartz",  "radius",  "raven",   "ribbon",   "river",     "rocket",  "saddle",  "signal",
    "silver",  "sparrow", "spiral",  "summit",   "tangent",   "thunder", "timber",  "tundra",
    "umbra",   "valley",  "vector",  "velvet",   "willow",    "window",  "zenith",  "zephyr",
    "guide",   "notes",   "recipes", "tutorial", "reference", "the",     "of",      "and",
    "for",     "with",    "news",    "blog",     "wiki",      "forum",   "docs",    "project",
    "tools",   "daily",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// splitmix64: small, fast, and the same on every platform.
class Random {
public:
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
        z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return next() % bound; }
    std::size_t between(std::size_t low, std::size_t high) { return low + below(high - low + 1); }

private:
    std::uint64_t state_ = 20261211;
};

void append_words(std::string& line, Random& random, std::size_t count, bool capitalised) {
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) line += ' ';
        std::size_t start = line.size();
        line += kWords[random.below(kWordCount)];
        if (capitalised) line[start] = static_cast<char>(line[start] - ('a' - 'A'));
    }
}

void append_listing(std::string& out, Random& random) {
    append_words(out, random, random.between(1, 6), random.below(2) == 0);
    out += "\r\nhttps://www.";
    append_words(out, random, 1, false);
    out += ".example/";
    append_words(out, random, 1, false);
    out += '/' + std::to_string(random.below(100000)) + ".html\r\n";
    if (random.below(10) == 0) {
        out += '*';
    } else {
        append_words(out, random, random.between(2, 12), false);
    }
    out += "\r\n";
}

}  // namespace

std::size_t generate_listings(const std::string& path, std::size_t count) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    Random random;
    std::string chunk;
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i) {
        append_listing(chunk, random);
        if (chunk.size() > (1 << 20) || i + 1 == count) {
            file.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            size += chunk.size();
            chunk.clear();
        }
    }
    if (!file.flush()) throw std::runtime_error("cannot write " + path);
    return size;
}
