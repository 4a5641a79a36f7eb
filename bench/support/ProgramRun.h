#pragma once

#include "bench/support/Bounds.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

struct ProgramRun {
    int exitCode = 0;
    double seconds = 0;
    double peakMiB = 0;
};

// Runs a program in a folder, its output into a log file: its exit code, its time and its peak
// resident memory. A program that cannot be started or that is killed stops the benchmark.
inline ProgramRun RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                             const std::filesystem::path& log) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    Check(child >= 0, "cannot start " + argv.front());
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::chdir(folder.c_str()) != 0)
            ::_exit(127);
        ::dup2(out, 1);
        ::dup2(out, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args.front(), args.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    Check(::wait4(child, &status, 0, &usage) == child, "lost " + argv.front());
    ProgramRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    Check(run.exitCode != 127 && run.exitCode != 128, argv.front() + " did not run to its end");
    return run;
}

} // namespace bench
