#pragma once
// What a test does when a tool it needs is missing (OPM Flow, PostgreSQL's programs, a dictionary
// package): on a developer's machine it skips and says why; in continuous integration (CI=true in
// the environment) it fails, so that a machine without the tool cannot turn a run green. And a
// child process that runs as an ordinary user, for the tests of what file permissions refuse
// (root may write anything).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace q7::test {

// True in continuous integration: CI=true, as .ci/run and the usual CI services set it.
inline bool InContinuousIntegration() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}

// Runs `body` in a child process, as the user nobody (65534) when this process is root, and returns
// the child's exit status (`body`'s return value; 125 when the rights could not be dropped, 126 when
// it threw). Only plain calls belong in `body`: the child shares nothing with the test afterwards.
inline int AsOrdinaryUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(125);
        int code = 126;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace q7::test

// Skips the test with `reason` (a string), or fails it under CI=true. Use where GTEST_SKIP would be.
#define Q7_MISSING_TOOL(reason)                                                                              \
    do {                                                                                                     \
        if (::q7::test::InContinuousIntegration())                                                           \
            GTEST_FAIL() << (reason) << " (CI=true: a tool missing in continuous integration is a failure)"; \
        else                                                                                                 \
            GTEST_SKIP() << (reason);                                                                        \
    } while (false)
