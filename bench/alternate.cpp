// Times two commands in turn for scripts/bench: one unmeasured run of each, then RUNS rounds of
// both (the order swapped every other round, so that neither always runs second), and prints
// "A_MS A_KIB B_MS B_KIB": the median wall time from start to exit and the median peak resident
// memory of each. The commands' output goes to /dev/null; a failing run ends the bench.
//
// Usage: bench_alternate RUNS -- COMMAND A... -- COMMAND B...

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Samples {
    std::vector<double> ms;
    std::vector<double> kib;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void runOnce(char** command, Samples* into) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_alternate: %s failed (status %d)\n", command[0], status);
        std::exit(1);
    }
    if (into != nullptr) {
        into->ms.push_back(took.count());
        into->kib.push_back(static_cast<double>(usage.ru_maxrss));
    }
}

}  // namespace

int main(int argc, char** argv) {
    // RUNS -- A... -- B...
    std::vector<char*> a;
    std::vector<char*> b;
    std::vector<char*>* filling = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            filling = filling == nullptr ? &a : &b;
            continue;
        }
        if (filling != nullptr) filling->push_back(argv[i]);
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    if (runs < 1 || a.empty() || b.empty()) {
        std::fputs("usage: bench_alternate RUNS -- COMMAND A... -- COMMAND B...\n", stderr);
        return 2;
    }
    a.push_back(nullptr);
    b.push_back(nullptr);

    runOnce(a.data(), nullptr);
    runOnce(b.data(), nullptr);
    Samples first;
    Samples second;
    for (int round = 0; round < runs; ++round) {
        if (round % 2 == 0) {
            runOnce(a.data(), &first);
            runOnce(b.data(), &second);
        } else {
            runOnce(b.data(), &second);
            runOnce(a.data(), &first);
        }
    }
    std::printf("%.2f %.0f %.2f %.0f\n", median(first.ms), median(first.kib), median(second.ms),
                median(second.kib));
    return 0;
}
