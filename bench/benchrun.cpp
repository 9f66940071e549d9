// benchrun: times glyphkiln against ftfloor on workload configuration
// files and prints, per workload, the median wall time of each, their
// ratio, glyphkiln's peak memory against its bound, and (with valgrind)
// the instruction counts of both and their ratio.
//
//   benchrun <glyphkiln> <ftfloor> <runs> <padding> [--no-callgrind] <config>...
//
// The two programs run alternately (one warm-up each first), so that a
// slow spell of the machine hits both alike. glyphkiln writes its output
// files beside each configuration, as it does in use.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

struct RunResult {
    double seconds = 0;
    long peakKiB = 0;
};

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Runs `argv` in `directory` with standard output sent to `outFile`
// (standard error to /dev/null) and gives its wall time and peak memory.
RunResult runOnce(const std::vector<std::string>& argv, const std::string& directory,
                  const std::string& outFile) {
    std::vector<char*> args;
    std::vector<std::string> copy = argv;
    for (std::string& a : copy) args.push_back(a.data());
    args.push_back(nullptr);

    const double start = now();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open("/dev/null", O_WRONLY);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(125);
        if (::chdir(directory.c_str()) != 0) ::_exit(126);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error("wait4 failed");
    }
    RunResult result;
    result.seconds = now() - start;
    result.peakKiB = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(argv[0] + " failed on " + argv[1] + " (status " +
                                 std::to_string(status) + ")");
    }
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The number after `key` in `text`, or 0.
std::uint64_t numberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos) return 0;
    return std::strtoull(text.c_str() + at + key.size(), nullptr, 10);
}

// Instructions executed by `argv` under callgrind, or 0 without valgrind.
std::uint64_t instructions(std::vector<std::string> argv, const std::string& directory,
                           const std::string& scratch) {
    const std::string profile = scratch + ".callgrind";
    argv.insert(argv.begin(), {"/usr/bin/valgrind", "--tool=callgrind",
                               "--callgrind-out-file=" + profile});
    runOnce(argv, directory, scratch + ".callgrind-stdout");
    const std::string text = readFile(profile);
    std::remove(profile.c_str());
    std::remove((scratch + ".callgrind-stdout").c_str());
    // "summary:" in current files, "totals:" in older ones.
    const std::uint64_t summary = numberAfter(text, "\nsummary: ");
    return summary != 0 ? summary : numberAfter(text, "\ntotals: ");
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string absolute(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) throw std::runtime_error("no such file: " + path);
    std::string result(resolved);
    std::free(resolved);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: benchrun <glyphkiln> <ftfloor> <runs> <padding> [--no-callgrind] "
                     "<config>...\n");
        return 2;
    }
    try {
        const std::string glyphkiln = absolute(argv[1]);
        const std::string floor = absolute(argv[2]);
        const int runs = std::max(5, std::atoi(argv[3]));  // medians of fewer say little
        const std::string padding = argv[4];
        int first = 5;
        bool callgrind = ::access("/usr/bin/valgrind", X_OK) == 0;
        if (std::string(argv[first]) == "--no-callgrind") {
            callgrind = false;
            ++first;
        }
        std::printf("%-10s %8s %8s %6s %10s %10s %6s %10s %10s\n", "workload", "kiln ms",
                    "floor ms", "ratio", "kiln Ir", "floor Ir", "ratio", "peak MiB",
                    "bound MiB");
        for (int i = first; i < argc; ++i) {
            const std::string config = absolute(argv[i]);
            const std::string directory = directoryOf(config);
            const std::string name = fileNameOf(config);
            const std::string scratch = directory + "/." + name;
            const std::vector<std::string> kilnArgs = {glyphkiln, name, padding};
            const std::vector<std::string> floorArgs = {floor, name};

            runOnce(kilnArgs, directory, scratch + ".kiln-stdout");
            runOnce(floorArgs, directory, scratch + ".floor-stdout");
            std::vector<double> kilnTimes, floorTimes;
            long peakKiB = 0;
            for (int r = 0; r < runs; ++r) {
                const RunResult k = runOnce(kilnArgs, directory, scratch + ".kiln-stdout");
                const RunResult f = runOnce(floorArgs, directory, scratch + ".floor-stdout");
                kilnTimes.push_back(k.seconds);
                floorTimes.push_back(f.seconds);
                peakKiB = std::max(peakKiB, k.peakKiB);
            }
            // The bound: every glyph's pixels, the image, and 16 MiB.
            const std::string kilnOut = readFile(scratch + ".kiln-stdout");
            const std::string floorOut = readFile(scratch + ".floor-stdout");
            const std::uint64_t pixelBytes = numberAfter(floorOut, "pixel-bytes ");
            const std::size_t placed = kilnOut.find("Glyphs placed onto ");
            std::uint64_t imageBytes = 0;
            if (placed != std::string::npos) {
                char* end = nullptr;
                const char* at = kilnOut.c_str() + placed + std::strlen("Glyphs placed onto ");
                const std::uint64_t w = std::strtoull(at, &end, 10);
                const std::uint64_t h = std::strtoull(end + 1, nullptr, 10);
                imageBytes = w * h;
            }
            const double boundMiB =
                static_cast<double>(pixelBytes + imageBytes) / (1024.0 * 1024.0) + 16.0;

            std::uint64_t kilnIr = 0, floorIr = 0;
            if (callgrind) {
                kilnIr = instructions(kilnArgs, directory, scratch);
                floorIr = instructions(floorArgs, directory, scratch);
            }
            const double kilnMs = median(kilnTimes) * 1000.0;
            const double floorMs = median(floorTimes) * 1000.0;
            std::printf("%-10s %8.1f %8.1f %6.3f %10.1fM %9.1fM %6.3f %10.1f %10.1f\n",
                        name.substr(0, name.rfind('.')).c_str(), kilnMs, floorMs,
                        kilnMs / floorMs, static_cast<double>(kilnIr) / 1e6,
                        static_cast<double>(floorIr) / 1e6,
                        floorIr ? static_cast<double>(kilnIr) / static_cast<double>(floorIr) : 0.0,
                        static_cast<double>(peakKiB) / 1024.0, boundMiB);
            std::fflush(stdout);
            for (const char* ending : {".kiln-stdout", ".floor-stdout"}) {
                std::remove((scratch + ending).c_str());
            }
        }
        std::printf("(%d runs each, medians; Ir = instructions counted by callgrind)\n", runs);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchrun: %s\n", error.what());
        return 1;
    }
}
