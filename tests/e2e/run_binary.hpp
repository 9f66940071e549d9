// Runs the built glyphkiln in a given working directory, with standard
// output and standard error each captured to a file (never a terminal), or
// with standard output on a pseudo terminal.
#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "support/run_program.hpp"

namespace e2e {

using Result = support_test::ProgramResult;

inline Result runGlyphkiln(const std::string& workingDirectory,
                           const std::vector<std::string>& arguments) {
    return support_test::runCaptured(GLYPHKILN_BINARY, "glyphkiln", workingDirectory, arguments);
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
    std::vector<std::string> all = support_test::commandLine("glyphkiln", arguments);
    std::vector<char*> argv = support_test::argvOf(all);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (::dup2(slave, 1) < 0) ::_exit(support_test::kCannotRedirect);
        ::close(slave);
        ::close(master);
        support_test::execIn(workingDirectory, GLYPHKILN_BINARY, argv);
    }
    ::close(slave);
    Result result;
    result.out = support_test::readToEnd(master);
    ::close(master);
    result.status = support_test::waitFor(pid);
    return result;
}

}  // namespace e2e
