#include "storage/sqlite/stations.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

#include <chrono>
#include <system_error>

namespace bb::sqlite {

namespace {

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "host";
    return name;
}

// An exclusive lock on the whole file, without waiting.
bool lockWhole(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return fcntl(fd, F_SETLK, &lock) == 0;
}

}  // namespace

Stations::Stations(std::filesystem::path folder)
    : directory_(std::move(folder) / "brokerbook.stations") {
    const auto started = std::chrono::steady_clock::now().time_since_epoch().count();
    self_ = hostName() + "-" + std::to_string(getpid()) + "-" + std::to_string(started);
}

Stations::~Stations() {
    if (lockFd_ >= 0) {
        close(lockFd_);
        std::error_code ignored;
        std::filesystem::remove(lockFile(self_), ignored);
    }
}

std::filesystem::path Stations::lockFile(const std::string& station) const {
    std::string name;
    for (char c : station) name.push_back(c == '/' ? '_' : c);
    return directory_ / (name + ".lock");
}

bool Stations::announce() {
    if (lockFd_ >= 0) return true;
    std::error_code ignored;
    std::filesystem::create_directories(directory_, ignored);
    const int fd = open(lockFile(self_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    if (!lockWhole(fd)) {
        close(fd);
        return false;
    }
    lockFd_ = fd;
    return true;
}

bool Stations::alive(const std::string& station) {
    if (station == self_) return true;
    const std::filesystem::path path = lockFile(station);
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    // No lock file: never announced, or cleaned up after it died. Any other
    // failure to look says nothing, and a station is taken for alive then.
    if (fd < 0) return errno != ENOENT;
    const bool gone = lockWhole(fd);
    if (gone) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    close(fd);  // also drops the lock just taken
    return !gone;
}

}  // namespace bb::sqlite
