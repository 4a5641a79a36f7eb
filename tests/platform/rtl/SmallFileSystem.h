#pragma once

#include <sys/mount.h>
#include <sys/wait.h>
#include <sched.h>
#include <unistd.h>

#include <functional>
#include <string>

// Runs check in a child process in which a tmpfs mounted with these options ("size=128k") covers
// folder, in a mount namespace of the child's own, so that nothing outlives it. Answers what check
// answered, or "skip: " and the reason when no tmpfs can be mounted here.
inline std::string InSmallFileSystem(const std::string& folder, const char* options,
                                     const std::function<std::string()>& check) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "skip: no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string answer;
        if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            answer = "skip: no mount namespace can be made here";
        else if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                 ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options) != 0)
            answer = "skip: no tmpfs can be mounted here";
        else
            answer = check();
        (void)!::write(pipeEnds[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return answer;
}
