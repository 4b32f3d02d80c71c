#pragma once
// An advisory lock between processes, held on a small file of its own (made
// when missing, never removed, so that every program that locks takes the
// same file). Whoever changes a file that others may change at the same
// time (a project: the calculation driver and the window) takes the lock of
// that file for the whole read-modify-write, so that no change is lost.
// POSIX locks with flock, Windows with LockFileEx (PlatformPosix.cpp,
// PlatformWindows.cpp). The lock goes with the process: a killed program
// leaves no lock held.
#include <chrono>
#include <cstdint>
#include <filesystem>

namespace dralun {

class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept : m_handle(other.m_handle) { other.m_handle = -1; }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { Release(); }

    // Waits at most patience for the lock on the file lockFile. Without it
    // (an empty FileLock), error holds the errno value: EWOULDBLOCK when
    // another held it the whole time, else why the file could not be opened.
    static FileLock Acquire(const std::filesystem::path& lockFile, std::chrono::milliseconds patience, int* error);

    explicit operator bool() const { return m_handle != -1; }
    void Release();

private:
    std::intptr_t m_handle = -1;
};

} // namespace dralun
