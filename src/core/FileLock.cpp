#include "core/FileLock.h"

#include <cerrno>
#include <thread>

#include "core/Platform.h"

namespace dralun {

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        Release();
        m_handle = other.m_handle;
        other.m_handle = -1;
    }
    return *this;
}

void FileLock::Release()
{
    if (m_handle != -1)
        platform::UnlockFile(m_handle);
    m_handle = -1;
}

FileLock FileLock::Acquire(const std::filesystem::path& lockFile, std::chrono::milliseconds patience, int* error)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + patience;
    // Short waits first: a save takes milliseconds.
    std::chrono::milliseconds pause(2);
    FileLock lock;
    for (;;) {
        int failed = 0;
        lock.m_handle = platform::TryLockFile(lockFile, &failed);
        if (lock.m_handle != -1 || failed != EWOULDBLOCK || Clock::now() >= until) {
            if (error)
                *error = failed;
            return lock;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

} // namespace dralun
