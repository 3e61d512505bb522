// Times brindle on a generated listing file against copying the same file with cat,
// measured in the same run, and reports ratios: brindle's time over cat's, its peak
// memory over the file's size, and its time at N over its time at N/10. It also times
// touching as much fresh memory as brindle's peak, which any program that holds the
// listings in memory pays, and cat does not.
//
//   benchmark [N [RUNS]]      N listings (default 1000000), median of RUNS runs (default 5)
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "listing_generator.h"

namespace fs = std::filesystem;

namespace {

struct Measure {
    double seconds;
    double peak_bytes;
};

// Runs argv with standard output to out_path and standard error discarded.
Measure run(const std::vector<std::string>& argv, const std::string& out_path) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int null = open("/dev/null", O_RDWR);
        if (out < 0 || null < 0) _exit(126);
        dup2(null, 0), dup2(out, 1), dup2(null, 2);
        std::vector<char*> args;
        for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        throw std::runtime_error("run failed");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(argv[0] + std::string(" failed"));
    }
    return {seconds, usage.ru_maxrss * 1024.0};
}

// Times a child process that takes bytes of fresh memory and writes to each page of it:
// what holding that much costs on this machine, before any work is done with it.
double touch_memory(std::size_t bytes) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        auto* memory = static_cast<volatile char*>(std::malloc(bytes));
        if (memory == nullptr) _exit(1);
        for (std::size_t i = 0; i < bytes; i += 4096) memory[i] = 1;
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || status != 0) {
        throw std::runtime_error("memory floor failed");
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Result {
    double input_bytes, cat_seconds, brindle_seconds, brindle_peak_bytes, memory_seconds;
};

// Generates count listings in folder, then times cat and brindle on them, in turns.
Result measure(const fs::path& folder, std::size_t count, int runs) {
    std::string input = (folder / "listings.txt").string();
    std::string copy = (folder / "copy.txt").string();
    std::string page = (folder / "page").string();
    Result result{static_cast<double>(generate_listings(input, count)), 0, 0, 0, 0};
    std::vector<double> cat_times, brindle_times, peaks, memory_times;
    for (int i = 0; i < runs; ++i) {
        cat_times.push_back(run({"/bin/cat", input}, copy).seconds);
        fs::remove(page + ".html");
        Measure brindle = run({BRINDLE_PATH, input, page}, "/dev/null");
        brindle_times.push_back(brindle.seconds);
        peaks.push_back(brindle.peak_bytes);
        memory_times.push_back(touch_memory(static_cast<std::size_t>(brindle.peak_bytes)));
    }
    fs::remove(input), fs::remove(copy), fs::remove(page + ".html");
    result.cat_seconds = median(cat_times);
    result.brindle_seconds = median(brindle_times);
    result.brindle_peak_bytes = median(peaks);
    result.memory_seconds = median(memory_times);
    return result;
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char** argv) {
    std::size_t count = argc > 1 ? std::stoul(argv[1]) : 1000000;
    int runs = argc > 2 ? std::stoi(argv[2]) : 5;
    std::string pattern = (fs::temp_directory_path() / "brindle-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return 1;
    fs::path folder = pattern;
    try {
        Result full = measure(folder, count, runs);
        Result tenth = measure(folder, count / 10, runs);
        fs::remove_all(folder);

        double time_ratio = full.brindle_seconds / full.cat_seconds;
        double memory_ratio = full.brindle_peak_bytes / full.input_bytes;
        double growth = full.brindle_seconds / tenth.brindle_seconds;
        std::printf("listings         %zu in %.1f MB, median of %d runs\n", count,
                    full.input_bytes / 1e6, runs);
        std::printf("cat floor        %.3f s\n", full.cat_seconds);
        std::printf("brindle          %.3f s\n", full.brindle_seconds);
        std::printf("brindle at N/10  %.3f s\n", tenth.brindle_seconds);
        std::printf("time / cat       %.2f  (target at most 4: %s)\n", time_ratio,
                    verdict(time_ratio <= 4));
        std::printf("peak / input     %.2f  (%.1f MB; target at most 2: %s)\n", memory_ratio,
                    full.brindle_peak_bytes / 1e6, verdict(memory_ratio <= 2));
        std::printf("N / (N/10) time  %.2f  (target at most 12: %s)\n", growth,
                    verdict(growth <= 12));
        std::printf(
            "memory floor     %.3f s to touch %.1f MB of fresh memory, brindle's peak;\n"
            "                 brindle / (cat + memory floor) = %.2f\n",
            full.memory_seconds, full.brindle_peak_bytes / 1e6,
            full.brindle_seconds / (full.cat_seconds + full.memory_seconds));
    } catch (const std::exception& error) {
        fs::remove_all(folder);
        std::fprintf(stderr, "benchmark: %s\n", error.what());
        return 1;
    }
}
