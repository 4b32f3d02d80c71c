#pragma once
// Runs an installation in a child process with a time limit and a limit on
// the size of the files it may write, so that a copy that waits for ever (a
// FIFO) or never ends (/dev/zero) shows as a failed test and not as a stuck
// test or a full disk.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "install/CInstallCopy.h"

namespace dralun::test {

struct TimeBoxedResult {
    bool finished = false; // the child ended by itself within the time
    int copied = -1;
    std::string message;
};

inline TimeBoxedResult InstallTimeBoxed(const std::filesystem::path& medium, const std::filesystem::path& target,
                                        unsigned seconds = 5)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(seconds);
        const rlimit fileSize{16u << 20, 16u << 20};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        const install::InstallResult r = install::Install(medium, target);
        const bool sent = ::write(channel[1], r.message.data(), r.message.size()) == ssize_t(r.message.size());
        ::_exit(sent ? r.copied : 100); // the exit status tells the number of files copied
    }
    ::close(channel[1]);
    TimeBoxedResult boxed;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(channel[0], buffer, sizeof buffer)) > 0)
        boxed.message.append(buffer, static_cast<size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    boxed.finished = child > 0 && WIFEXITED(status) && WEXITSTATUS(status) < 100;
    boxed.copied = boxed.finished ? WEXITSTATUS(status) : -1;
    return boxed;
}

} // namespace dralun::test
