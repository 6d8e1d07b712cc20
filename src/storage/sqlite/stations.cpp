#include "storage/sqlite/stations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <system_error>

namespace bb::sqlite {

namespace {

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "host";
    return name;
}

// A lock of the whole file, tied to this open file rather than to the
// process: a second storage of the same process on the folder is a station
// of its own, and closing another handle on the file does not drop it.
struct flock wholeFile() {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return lock;
}

// Read and write for whoever may write the database, read for whoever may
// read it: so every user who can use the data can take holds and tell a
// dead station from a live one, whatever their umask. None while there is
// no database to follow (the umask decides then).
std::optional<mode_t> sharedFileMode(const std::filesystem::path& database) {
    struct stat info {};
    if (stat(database.c_str(), &info) != 0) return std::nullopt;
    mode_t mode = S_IRUSR | S_IWUSR | (info.st_mode & (S_IRGRP | S_IROTH));
    if (info.st_mode & S_IWGRP) mode |= S_IRGRP | S_IWGRP;
    if (info.st_mode & S_IWOTH) mode |= S_IROTH | S_IWOTH;
    return mode;
}

// A directory can be entered wherever its files can be read.
mode_t directoryMode(mode_t fileMode) {
    return fileMode | ((fileMode & (S_IRUSR | S_IRGRP | S_IROTH)) >> 2);
}

}  // namespace

Stations::Stations(std::filesystem::path folder, std::filesystem::path database)
    : directory_(std::move(folder) / "brokerbook.stations"), database_(std::move(database)) {
    const auto started = Clock::now().time_since_epoch().count();
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
    const std::optional<mode_t> mode = sharedFileMode(database_);
    // Made here, the directory gets the database's access, not the umask's.
    if (mkdir(directory_.c_str(), 0777) == 0 && mode)
        chmod(directory_.c_str(), directoryMode(*mode));
    const int fd = open(lockFile(self_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    if (mode) fchmod(fd, *mode);
    struct flock lock = wholeFile();
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        close(fd);
        return false;
    }
    lockFd_ = fd;
    return true;
}

std::optional<Stations::Clock::duration> Stations::goneFor(const std::string& station) {
    if (station == self_) return std::nullopt;
    auto found = goneSince_.find(station);
    if (found == goneSince_.end()) {
        if (runs(station)) return std::nullopt;
        found = goneSince_.emplace(station, now_()).first;
    }
    return now_() - found->second;
}

bool Stations::runs(const std::string& station) {
    const std::filesystem::path path = lockFile(station);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    // No lock file: never announced, or cleaned up after it died. Any other
    // failure to look says nothing, and a station is taken for alive then.
    if (fd < 0) return errno != ENOENT;
    struct flock lock = wholeFile();
    const bool looked = fcntl(fd, F_OFD_GETLK, &lock) == 0;
    close(fd);
    if (!looked || lock.l_type != F_UNLCK) return true;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return false;
}

}  // namespace bb::sqlite
