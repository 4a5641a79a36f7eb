#pragma once

#include <sys/wait.h>
#include <unistd.h>

// The id of a process that has ended: what a killed process leaves its leftovers under.
inline pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}
