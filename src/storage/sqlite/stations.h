// Which stations (processes, possibly on other machines) share the data
// folder, and whether one that left a hold behind is still alive.
//
// Each station that takes a hold keeps an exclusive lock on a file of its
// own in the folder's station directory for as long as it runs. The system
// drops such a lock when its process dies, however it dies, so a station
// whose file can be locked by someone else is gone. The directory and the
// file are made only when the station first holds a record.
#pragma once

#include <filesystem>
#include <string>

namespace bb::sqlite {

class Stations {
public:
    explicit Stations(std::filesystem::path folder);
    ~Stations();
    Stations(const Stations&) = delete;
    Stations& operator=(const Stations&) = delete;

    // This station's name: host, process and start time.
    const std::string& self() const { return self_; }
    // Makes sure this station's lock is taken; false when it cannot be.
    bool announce();
    // Whether the named station still runs. This station always does.
    bool alive(const std::string& station);

private:
    std::filesystem::path lockFile(const std::string& station) const;

    std::filesystem::path directory_;
    std::string self_;
    int lockFd_ = -1;
};

}  // namespace bb::sqlite
