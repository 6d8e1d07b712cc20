// Choosing the engine by the data folder's connection file, and what only a
// database server meets: a connection lost in the middle of the work, and
// other stations' changes told by the server.
#include <fstream>

#include "processes.h"
#include "storage/postgres/connection_file.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage_fixture.h"

namespace bb::test {
namespace {

TEST(ConnectionFile, NamesTheServerOrSaysWhatIsWrongWithIt) {
    struct Case {
        const char* text;
        std::vector<std::pair<std::string, std::string>> settings;
        const char* error;  // a part of it; empty when the file is good
    };
    const Case cases[] = {
        {"# the office's server\nhost = db.office.lan\nport=5433\n\nDatabase = books\n"
         "user = anna  # her own\n",
         {{"host", "db.office.lan"}, {"port", "5433"}, {"dbname", "books"}, {"user", "anna"}},
         ""},
        {"host = db\npassword = secret\n",
         {},
         "line 2: a password is not kept here; put it in "
         "your ~/.pgpass file"},
        {"host = db\nsslmode = disable\n", {}, "line 2: unknown setting \"sslmode\""},
        {"host db\n", {}, "line 1: \"name = value\" expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TempFolder folder;
        std::ofstream(folder.path() / postgres::kConnectionFileName) << c.text;
        const auto file = postgres::readConnectionFile(folder.path());
        ASSERT_TRUE(file.has_value());
        EXPECT_NE(file->error.find(c.error), std::string::npos) << file->error;
        EXPECT_EQ(file->error.empty(), std::string(c.error).empty());
        if (file->error.empty()) {
            EXPECT_EQ(file->settings, c.settings);
        }
    }
    TempFolder none;
    EXPECT_FALSE(postgres::readConnectionFile(none.path()).has_value());
}

// A file that cannot be used is told when the first file is opened, in the
// words above, and nothing falls back to a database in the folder.
TEST(ConnectionFile, AFaultyFileIsToldAtTheFirstOpen) {
    TempFolder folder;
    std::ofstream(folder.path() / postgres::kConnectionFileName) << "password = secret\n";
    auto storage = openDataStorage(folder.path());
    auto members = storage->file(fileDef(FileId::Members));
    const DriverStatus s = members->create();
    EXPECT_EQ(s.code, code::kDriverError);
    EXPECT_NE(s.engineText.find("~/.pgpass"), std::string::npos) << s.engineText;
    EXPECT_EQ(lastError().fileText, s.engineText);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / kDatabaseName));
}

using Engines = EngineTest;
BB_ON_BOTH_ENGINES(Engines);

// Without a connection file the files are kept in the folder, with one on
// the server it names, and nowhere else.
TEST_P(Engines, TheFolderOrItsConnectionFileChoosesWhereTheFilesAreKept) {
    auto members = openFile(FileId::Members);
    add(*members, [] { MBR::MEMBERNUMBER.set(1); });
    EXPECT_EQ(std::filesystem::exists(folder_.path() / kDatabaseName), engine_ == Engine::SQLite);
    if (database_) {
        EXPECT_EQ(database_->execute("SELECT \"_rid\" FROM \"MEMBERS\""), "");
    }
}

std::string stationProgram() {
    return BB_STORAGE_STATION;
}

// A list learns cheaply that another station changed something: the view's
// change mark moves with another station's change, and only then.
TEST_P(Engines, AnotherStationsChangeMovesAViewsChangeMark) {
    auto file = openFile(FileId::Members);
    add(*file, [] {
        MBR::MEMBERNUMBER.set(7);
        MBR::COMPANYNAME.set("Mine");
    });
    ViewTable members{};
    members.def = &fileDef(FileId::Members);
    members.buffer = &buffer(FileId::Members);
    auto view = storage_->view({members});
    ASSERT_TRUE(view->open().ok());
    ASSERT_TRUE(view->next().ok());
    const auto before = view->changeMark();
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(view->changeMark(), before);
    ChildProcess other(stationProgram(), {"change", folder_.path().string(), "7", "Theirs"});
    ASSERT_TRUE(other.waitForLine("changed 0"));
    EXPECT_EQ(other.wait(), 0);
    const auto after = view->changeMark();
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after, before);
    EXPECT_EQ(view->changeMark(), after);
}

class ServerTest : public StorageTest {
protected:
    ServerTest() : StorageTest(Engine::PostgreSQL) {}

    // Ends every other connection to the test's database, as a server
    // restart or a broken network would.
    void cutConnections() {
        execute(
            "SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
            " WHERE datname = current_database() AND pid <> pg_backend_pid()");
    }
};

// A connection lost in the middle of a transaction is a file access error
// in the words of the server; the server has rolled the transaction back,
// so nothing of it is kept, and the next use connects again.
TEST_F(ServerTest, ALostConnectionIsAFileErrorAndLeavesNothingHalfWritten) {
    auto members = openFile(FileId::Members);
    add(*members, [] { MBR::MEMBERNUMBER.set(1); });
    ASSERT_TRUE(storage_->begin(2000).ok());
    add(*members, [] { MBR::MEMBERNUMBER.set(2); });
    cutConnections();
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(3);
    const DriverStatus lost = members->add(r);
    EXPECT_EQ(lost.code, code::kDriverError);
    EXPECT_NE(lost.engineText.find("terminating connection"), std::string::npos) << lost.engineText;
    EXPECT_EQ(lastError().fileText, lost.engineText);
    // Until the transaction is rolled back, every change meets the loss too.
    EXPECT_EQ(members->add(r).code, code::kDriverError);
    EXPECT_EQ(storage_->commit().code, code::kDriverError);
    storage_->rollback();
    EXPECT_EQ(walk(*members, MBR::key::MEMBERKEY, [] { return MBR::MEMBERNUMBER.get(); }),
              std::vector<std::int32_t>{1});
    ASSERT_TRUE(storage_->begin(2000).ok());
    add(*members, [] { MBR::MEMBERNUMBER.set(2); });
    ASSERT_TRUE(storage_->commit().ok());
    std::int64_t count = 0;
    ASSERT_TRUE(members->count(count).ok());
    EXPECT_EQ(count, 2);
}

// A server that cannot be reached is told in the client library's words.
TEST(ConnectionFile, AServerThatCannotBeReachedIsAFileError) {
    TempFolder folder;
    std::ofstream(folder.path() / postgres::kConnectionFileName)
        << "host = " << folder.path().string() << "\nport = 1\ndatabase = none\n";
    auto storage = openDataStorage(folder.path());
    const DriverStatus s = storage->file(fileDef(FileId::Members))->open(kSharedReadWrite);
    EXPECT_EQ(s.code, code::kDriverError);
    EXPECT_NE(s.engineText.find("connection to server"), std::string::npos) << s.engineText;
}

// No-case keys order by the upper-cased texts of every alphabet, as the
// program compares them, and find a record whatever its case.
TEST_P(Engines, NoCaseKeysFoldTheCaseOfEveryAlphabet) {
    auto members = openFile(FileId::Members);
    const std::pair<int, const char*> people[] = {{1, "émile"}, {2, "Zoë"},   {3, "ÉMILE"},
                                                  {4, "zeta"},  {5, "Ωmega"}, {6, "ωmega"}};
    for (const auto& [n, last] : people) {
        add(*members, [&] {
            MBR::MEMBERNUMBER.set(n);
            MBR::LASTNAME.set(last);
        });
    }
    EXPECT_EQ(walk(*members, MBR::key::NAMEKEY, [] { return MBR::MEMBERNUMBER.get(); }),
              (std::vector<std::int32_t>{4, 2, 1, 3, 5, 6}));
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::LASTNAME.set("ZOË");
    ASSERT_TRUE(members->setAt(MBR::key::NAMEKEY, r, 1).ok());
    ASSERT_TRUE(members->next(r).ok());
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 2);
}

}  // namespace
}  // namespace bb::test
