// Runs the built glyphkiln in a given working directory, with standard
// output and standard error each captured to a file (never a terminal), or
// with standard output on a pseudo terminal.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/scratch_dir.hpp"

namespace e2e {

struct Result {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out;  // everything written to standard output
    std::string err;  // everything written to standard error
};

namespace detail {

inline std::vector<std::string> commandLine(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{"glyphkiln"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

inline std::vector<char*> argvOf(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

// Waits for `pid` and gives its exit status, or -1 when it did not exit.
inline int waitFor(pid_t pid) {
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    }
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// In the child, after fork: only async-signal-safe calls.
[[noreturn]] inline void execIn(const std::string& workingDirectory, std::vector<char*>& argv) {
    if (::chdir(workingDirectory.c_str()) != 0) ::_exit(126);
    ::execv(GLYPHKILN_BINARY, argv.data());
    ::_exit(127);
}

}  // namespace detail

inline Result runGlyphkiln(const std::string& workingDirectory,
                           const std::vector<std::string>& arguments) {
    const support_test::ScratchDir capture;
    const std::string outFile = (capture.path() / "stdout").string();
    const std::string errFile = (capture.path() / "stderr").string();
    std::vector<std::string> all = detail::commandLine(arguments);
    std::vector<char*> argv = detail::argvOf(all);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(125);
        detail::execIn(workingDirectory, argv);
    }
    Result result;
    result.status = detail::waitFor(pid);
    result.out = support_test::readBytes(outFile);
    result.err = support_test::readBytes(errFile);
    return result;
}

// As runGlyphkiln, with standard output on a pseudo terminal (which turns
// each line feed into carriage return and line feed); `err` stays empty.
inline Result runGlyphkilnOnTerminal(const std::string& workingDirectory,
                                     const std::vector<std::string>& arguments) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) throw std::runtime_error("no pseudo terminal");
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        ::close(master);
        throw std::runtime_error("no pseudo terminal");
    }
    // The slave is opened before the fork, so that it is open from the start
    // and reading the master ends only when the child has closed it.
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        ::close(master);
        throw std::runtime_error("cannot open the pseudo terminal");
    }
    std::vector<std::string> all = detail::commandLine(arguments);
    std::vector<char*> argv = detail::argvOf(all);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (::dup2(slave, 1) < 0) ::_exit(125);
        ::close(slave);
        ::close(master);
        detail::execIn(workingDirectory, argv);
    }
    ::close(slave);
    Result result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) {
            result.out.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;  // EIO once the child's side is closed
        }
    }
    ::close(master);
    result.status = detail::waitFor(pid);
    return result;
}

}  // namespace e2e
