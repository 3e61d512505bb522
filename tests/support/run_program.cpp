#include "run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "temp_dir.h"

namespace {

[[noreturn]] void run_child(const std::string& program, const std::filesystem::path& folder,
                            const std::vector<std::string>& args, const RunLimits& limits,
                            const std::string& out_path, const std::string& err_path) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(folder.c_str()) != 0) {
        _exit(126);
    }
    rlimit file_size{limits.file_size, limits.file_size};
    rlimit address_space{limits.address_space, limits.address_space};
    signal(SIGXFSZ, SIG_IGN);  // stays ignored across exec
    if (setrlimit(RLIMIT_FSIZE, &file_size) != 0 || setrlimit(RLIMIT_AS, &address_space) != 0) {
        _exit(126);
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

}  // namespace

RunResult run_program(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::string>& args, const RunLimits& limits) {
    TempDir captures;
    std::string out_path = captures.file("stdout"), err_path = captures.file("stderr");
    pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) run_child(program, folder, args, limits, out_path, err_path);
    int wait_status = 0;
    if (waitpid(child, &wait_status, 0) != child) throw std::runtime_error("waitpid failed");
    int status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    return {status, captures.read("stderr").value_or(""), captures.read("stdout").value_or("")};
}
