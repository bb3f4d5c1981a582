// SPDX-License-Identifier: GPL-3.0-or-later
// What a short tessarine-batch run costs before it does anything: the CPU
// time (user and system) of --version and of Analyze alone on the demo,
// against djpeg -version, each the median of 15 runs in a child process.
//
// Reported: --version in ms of CPU (target <= 25 ms); Analyze of the demo's
// 17 sheets in ms of CPU, which should be about as little.

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 15;

// One run's CPU time in ms, its output dropped; -1 when it does not run.
double ChildCpuMs(std::vector<const char*> args)
{
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, args[0], &actions, nullptr, const_cast<char* const*>(args.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return -1.0;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0 || !WIFEXITED(status))
        return -1.0;
    const auto ms = [](timeval t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double MedianCpuMs(const std::vector<const char*>& args)
{
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.push_back(ChildCpuMs(args));
    std::sort(runs.begin(), runs.end());
    return runs[kRuns / 2];
}

}  // namespace

int main()
{
    const double version = MedianCpuMs({TESSARINE_BATCH, "--version"});
    const double analyze = MedianCpuMs({TESSARINE_BATCH, "--maps", TESSARINE_DEMO "/maps", "--index",
                                        TESSARINE_DEMO "/index.map", "--stop-after", "analyze"});
    const double djpeg = MedianCpuMs({"djpeg", "-version"});
    std::printf("Start-up, median CPU of %d runs:\n", kRuns);
    std::printf("  tessarine-batch --version: %.1f ms (target <= 25 ms)\n", version);
    std::printf("  tessarine-batch --stop-after analyze on the demo: %.1f ms\n", analyze);
    std::printf("  djpeg -version: %.1f ms\n", djpeg);
    return version < 0 || analyze < 0 ? 1 : 0;
}
