// Runs a built program as a user would, in a folder of the test's choosing.
#pragma once

#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

struct RunLimits {
    rlim_t file_size = RLIM_INFINITY;      // bytes any one file may grow to
    rlim_t address_space = RLIM_INFINITY;  // bytes of memory
};

struct RunResult {
    int status;  // the exit status, or 128 plus the signal that ended the program
    std::string error_output;
    std::string standard_output;
};

// Runs program with args in folder, standard input empty. Growing a file past the
// size limit fails the write instead of ending the program.
RunResult run_program(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::string>& args, const RunLimits& limits = {});
