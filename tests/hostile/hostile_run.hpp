// Runs the built glyphkiln on hostile input: standard output read through
// a pipe (it may be megabytes), optional limits set in the child before
// exec, and the child's peak memory taken from its resource usage.
#pragma once

#include <csignal>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "support/run_program.hpp"

namespace hostile {

struct Limits {
    std::uint64_t fileSizeBytes = 0;  // RLIMIT_FSIZE; 0 for none. SIGXFSZ is ignored then
    bool unprivileged = false;        // run as nobody when started as root
    std::string program = GLYPHKILN_BINARY;
};

// Exit statuses of a child that never got to run the program.
using support_test::kCannotEnterDirectory;
using support_test::kCannotExecute;

struct Outcome {
    int status = -1;           // exit status; -1 when the program did not exit normally
    std::string out;           // standard output
    std::uint64_t peakKiB = 0;  // the child's peak resident memory
};

// A CPU-time limit so that a hang fails the test instead of stalling it.
constexpr rlim_t kCpuSeconds = 120;

inline Outcome run(const std::string& workingDirectory, const std::vector<std::string>& arguments,
                   const Limits& limits = {}) {
    std::vector<std::string> all = support_test::commandLine("glyphkiln", arguments);
    std::vector<char*> argv = support_test::argvOf(all);

    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        ::close(pipeEnds[0]);
        if (::dup2(pipeEnds[1], 1) < 0) ::_exit(support_test::kCannotRedirect);
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
        support_test::execIn(workingDirectory, limits.program.c_str(), argv);
    }
    ::close(pipeEnds[1]);
    Outcome outcome;
    outcome.out = support_test::readToEnd(pipeEnds[0]);
    ::close(pipeEnds[0]);
    rusage usage{};
    outcome.status = support_test::waitFor(pid, &usage);
    outcome.peakKiB = static_cast<std::uint64_t>(usage.ru_maxrss);
    return outcome;
}

}  // namespace hostile
