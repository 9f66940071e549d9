// Runs a built program as a child process: its command line, the exec in
// the child, waiting for it, reading a pipe or terminal to its end, and the
// common case of standard output and standard error each captured to a file.
#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/scratch_dir.hpp"

namespace support_test {

struct ProgramResult {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out;  // everything written to standard output
    std::string err;  // everything written to standard error
};

// Exit statuses of a child that never got to run the program.
constexpr int kCannotRedirect = 125;
constexpr int kCannotEnterDirectory = 126;
constexpr int kCannotExecute = 127;

// `name` as argv[0], followed by `arguments`.
inline std::vector<std::string> commandLine(const std::string& name,
                                            const std::vector<std::string>& arguments) {
    std::vector<std::string> all{name};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

// The null-terminated argv over `arguments`, which must outlive it.
inline std::vector<char*> argvOf(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

// Waits for `pid` and gives its exit status, or -1 when it did not exit;
// fills `usage` with the child's resource usage when given.
inline int waitFor(pid_t pid, rusage* usage = nullptr) {
    int raw = 0;
    while (::wait4(pid, &raw, 0, usage) < 0) {
        if (errno != EINTR) throw std::runtime_error("wait4 failed");
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Everything read from `fd` until its end, or until the error a pseudo
// terminal gives once the child's side is closed.
inline std::string readToEnd(int fd) {
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return text;
        }
    }
}

// In the child, after fork: only async-signal-safe calls. An empty
// `workingDirectory` keeps the current one.
[[noreturn]] inline void execIn(const std::string& workingDirectory, const char* program,
                                std::vector<char*>& argv) {
    if (!workingDirectory.empty() && ::chdir(workingDirectory.c_str()) != 0) {
        ::_exit(kCannotEnterDirectory);
    }
    ::execv(program, argv.data());
    ::_exit(kCannotExecute);
}

// Runs `program` (with `name` as argv[0]) in `workingDirectory`, standard
// output and standard error each captured to a file, never a terminal.
inline ProgramResult runCaptured(const std::string& program, const std::string& name,
                                 const std::string& workingDirectory,
                                 const std::vector<std::string>& arguments) {
    const ScratchDir capture;
    const std::string outFile = capture / "stdout";
    const std::string errFile = capture / "stderr";
    std::vector<std::string> all = commandLine(name, arguments);
    std::vector<char*> argv = argvOf(all);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(kCannotRedirect);
        execIn(workingDirectory, program.c_str(), argv);
    }
    ProgramResult result;
    result.status = waitFor(pid);
    result.out = readBytes(outFile);
    result.err = readBytes(errFile);
    return result;
}

}  // namespace support_test
