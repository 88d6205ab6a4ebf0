// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the quiz's start-up probe and the bare Qt window in turn as whole
// processes and reports their wall time to the first frame and their peak
// resident memory, each beside the bare window's. A launcher given after
// them starts each, as Wine starts a Windows build's.
#include "stats.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Run
{
    double ms;
    double cpuMs; // user and system: less swayed than wall time by a busy machine
    double rssKb;
};

double milliseconds(const timeval &time)
{
    return double(time.tv_sec) * 1000.0 + double(time.tv_usec) / 1000.0;
}

Run runOnce(const char *launcher, const char *program)
{
    std::vector<char *> argv;
    if (launcher)
        argv.push_back(const_cast<char *>(launcher));
    argv.push_back(const_cast<char *>(program));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (const int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ)) {
        std::fprintf(stderr, "cannot start %s (error %d)\n", argv[0], error);
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("wait4");
        std::exit(1);
    }
    const auto end = std::chrono::steady_clock::now();
    // A probe that did not paint and exit cleanly measured nothing.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s ended with status %d\n", program, status);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), double(usage.ru_maxrss)};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s PAIRS PROBE BARE [LAUNCHER]\n", argv[0]);
        return 2;
    }
    const int pairs = std::atoi(argv[1]);
    const char *probe = argv[2];
    const char *bare = argv[3];
    const char *launcher = argc == 5 ? argv[4] : nullptr;
    if (pairs < 1) {
        std::fprintf(stderr, "PAIRS must be at least 1\n");
        return 2;
    }

    // Brings both into the page and font caches before anything is counted.
    runOnce(launcher, probe);
    runOnce(launcher, bare);

    std::vector<double> ms, bareMs, msRatio, cpu, bareCpu, cpuRatio, rss, bareRss, rssRatio;
    for (int i = 0; i < pairs; ++i) {
        // Either may go first, half of the time each, so a trend in the
        // machine's load falls on both alike.
        Run quiz{}, plain{};
        if (i % 2 == 0) {
            quiz = runOnce(launcher, probe);
            plain = runOnce(launcher, bare);
        } else {
            plain = runOnce(launcher, bare);
            quiz = runOnce(launcher, probe);
        }
        ms.push_back(quiz.ms);
        bareMs.push_back(plain.ms);
        msRatio.push_back(quiz.ms / plain.ms);
        cpu.push_back(quiz.cpuMs);
        bareCpu.push_back(plain.cpuMs);
        cpuRatio.push_back(quiz.cpuMs / plain.cpuMs);
        rss.push_back(quiz.rssKb);
        bareRss.push_back(plain.rssKb);
        rssRatio.push_back(quiz.rssKb / plain.rssKb);
    }
    printRow("startup_ms", summarise(ms));
    printRow("bare_startup_ms", summarise(bareMs));
    printRow("startup_ratio", summarise(msRatio));
    printRow("rss_kb", summarise(rss));
    printRow("bare_rss_kb", summarise(bareRss));
    printRow("rss_ratio", summarise(rssRatio));
    printRow("startup_cpu_ms", summarise(cpu));
    printRow("bare_startup_cpu_ms", summarise(bareCpu));
    printRow("startup_cpu_ratio", summarise(cpuRatio));
    return 0;
}
