// Runs the built glyphkiln on hostile input: standard output read through
// a pipe (it may be megabytes), optional limits set in the child before
// exec, and the child's peak memory taken from its resource usage.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hostile {

struct Limits {
    std::uint64_t fileSizeBytes = 0;  // RLIMIT_FSIZE; 0 for none. SIGXFSZ is ignored then
    bool unprivileged = false;        // run as nobody when started as root
    std::string program = GLYPHKILN_BINARY;
};

// Exit statuses of a child that never got to run the program.
constexpr int kCannotEnterDirectory = 126;
constexpr int kCannotExecute = 127;

struct Outcome {
    int status = -1;           // exit status; -1 when the program did not exit normally
    std::string out;           // standard output
    std::uint64_t peakKiB = 0;  // the child's peak resident memory
};

// A CPU-time limit so that a hang fails the test instead of stalling it.
constexpr rlim_t kCpuSeconds = 120;

inline Outcome run(const std::string& workingDirectory, const std::vector<std::string>& arguments,
                   const Limits& limits = {}) {
    std::vector<std::string> all{"glyphkiln"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        ::close(pipeEnds[0]);
        if (::dup2(pipeEnds[1], 1) < 0) ::_exit(125);
        const rlimit cpu{kCpuSeconds, kCpuSeconds};
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (limits.fileSizeBytes != 0) {
            ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
            const rlimit size{limits.fileSizeBytes, limits.fileSizeBytes};
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0) ::_exit(124);
        }
        if (limits.unprivileged && ::geteuid() == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(123);
        }
        if (::chdir(workingDirectory.c_str()) != 0) ::_exit(kCannotEnterDirectory);
        ::execv(limits.program.c_str(), argv.data());
        ::_exit(kCannotExecute);
    }
    ::close(pipeEnds[1]);
    Outcome outcome;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0) {
            outcome.out.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    ::close(pipeEnds[0]);
    int raw = 0;
    rusage usage{};
    while (::wait4(pid, &raw, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error("wait4 failed");
    }
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.peakKiB = static_cast<std::uint64_t>(usage.ru_maxrss);
    return outcome;
}

}  // namespace hostile
