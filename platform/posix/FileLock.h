// FileLock: an advisory lock (flock) on a small file of its own, held for
// the life of the object. Taking it never waits long: it is tried again
// every few milliseconds until the time given has passed, so a process
// that holds it for good (stopped in a debugger, hung) costs the others a
// failed write, not a hung game. The lock file is never removed: removing
// it while another process waits on it would let two writers in at once.
#pragma once

#include <chrono>
#include <filesystem>

class FileLock {
public:
    FileLock(const std::filesystem::path& path, std::chrono::milliseconds patience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
