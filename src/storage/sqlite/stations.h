// Which stations (processes, possibly on other machines, possibly of other
// users) share the data folder, and whether one that left a hold or a
// reservation behind is still alive.
//
// Each station that takes a hold or reserves a number keeps a lock on a file
// of its own in the folder's station directory for as long as it runs. The
// system drops such a lock when its process dies, however it dies, so a
// station whose file is not locked is gone. Telling so needs only read
// access to the other station's file. The directory and the file are made
// when the station first needs them, with the access the database file
// itself grants: whoever may write the database may take holds too.
//
// Used from the GUI thread only.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace bb::sqlite {

class Stations {
public:
    using Clock = std::chrono::steady_clock;

    // The stations sharing `folder`, whose database is `database`.
    Stations(std::filesystem::path folder, std::filesystem::path database);
    ~Stations();
    Stations(const Stations&) = delete;
    Stations& operator=(const Stations&) = delete;

    // This station's name: host, process and start time.
    const std::string& self() const { return self_; }
    // Makes sure this station's lock is taken; false when it cannot be.
    bool announce();
    // Whether the named station still runs. This station always does.
    bool alive(const std::string& station) { return !goneFor(station); }
    // How long ago this station first found the named one gone; none while
    // it runs. A station gone stays gone: names are never used twice.
    std::optional<Clock::duration> goneFor(const std::string& station);
    // The clock goneFor counts by, so that a test can move time on instead
    // of waiting for it.
    void setClock(std::function<Clock::time_point()> now) { now_ = std::move(now); }

private:
    std::filesystem::path lockFile(const std::string& station) const;
    // Whether the station's lock is still taken (removes its file when not).
    bool runs(const std::string& station);

    std::filesystem::path directory_;
    std::filesystem::path database_;
    std::string self_;
    int lockFd_ = -1;
    std::map<std::string, Clock::time_point> goneSince_;
    std::function<Clock::time_point()> now_ = [] { return Clock::now(); };
};

}  // namespace bb::sqlite
