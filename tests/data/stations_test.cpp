// Many stations on one data folder at once, each a real process with its own
// managers: adding, changing and deleting with cascades, they lose nothing,
// share no number and leave no record whose customer is gone.
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "data_fixture.h"
#include "processes.h"

namespace bb::test {
namespace {

using ManyStations = DataTest;

// How long the stations work: a short while in the ordinary run,
// BB_STATION_SECONDS (60 for the full test) when given.
int workSeconds() {
    const char* seconds = std::getenv("BB_STATION_SECONDS");
    return seconds ? std::atoi(seconds) : 8;
}

// The customer numbers of every record of `id`, by its customer number field.
std::multiset<std::int32_t> customersOf(FileId id, IntegerField number) {
    FileManager& file = dataDictionary().files(id);
    EXPECT_EQ(file.Open(), SeverityNone);
    std::multiset<std::int32_t> out;
    file.SetOrder(-1);
    while (file.NextQuietly() == SeverityNone) out.insert(number.get());
    file.Close();
    return out;
}

TEST_F(ManyStations, TenStationsLoseNothingShareNoNumberAndLeaveNoOrphan) {
    // Ten writers on one shared file outwait the file's busy time now and
    // then, and the add is refused (and told): a server is what an office
    // of ten stations runs on.
    if (dataTestEngine() == Engine::SQLite) GTEST_SKIP() << "ten stations run on a server";
    for (FileId id : {FileId::Members, FileId::MPhones, FileId::ShipTo}) {
        ASSERT_EQ(files(id).Open(), SeverityNone);
        files(id).Close();
    }
    std::vector<std::unique_ptr<ChildProcess>> stations;
    for (int i = 0; i < 10; ++i) {
        stations.push_back(std::make_unique<ChildProcess>(
            BB_DATA_STATION, std::vector<std::string>{"work", folder_.path().string(),
                                                      std::to_string(workSeconds())}));
    }
    // Each station's customers as it counts them, by the tag it marks them with.
    std::map<std::string, std::set<std::int32_t>> kept;
    for (auto& station : stations) {
        std::string line;
        ASSERT_TRUE(station->waitForLine("worked", workSeconds() + 120, &line));
        EXPECT_EQ(station->wait(), 0);
        std::istringstream words(line.substr(std::string("worked").size()));
        int failed = -1;
        words >> failed;
        EXPECT_EQ(failed, 0) << line;
        auto& numbers = kept["station " + std::to_string(station->pid())];
        for (std::int32_t n; words >> n;) EXPECT_TRUE(numbers.insert(n).second) << line;
    }
    // Every customer left is one a station kept, under that station's mark.
    std::map<std::string, std::set<std::int32_t>> found;
    FileManager& members = files(FileId::Members);
    ASSERT_EQ(members.Open(), SeverityNone);
    members.SetOrder(MBR::key::MEMBERKEY);
    while (members.NextQuietly() == SeverityNone)
        EXPECT_TRUE(found[MBR::LASTNAME.get()].insert(MBR::MEMBERNUMBER.get()).second);
    members.Close();
    std::erase_if(kept, [](const auto& station) { return station.second.empty(); });
    EXPECT_EQ(found, kept);
    // Each with its one phone and one place to ship to, and nothing else left.
    std::multiset<std::int32_t> all;
    for (const auto& [tag, numbers] : kept) all.insert(numbers.begin(), numbers.end());
    EXPECT_EQ(customersOf(FileId::MPhones, MPH::MEMBERNUMBER), all);
    EXPECT_EQ(customersOf(FileId::ShipTo, SHI::MEMBERNUMBER), all);
}

}  // namespace
}  // namespace bb::test
