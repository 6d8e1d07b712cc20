// A database file damaged on disk, found when a station first opens it and
// before the station writes anything: damage the keys account for is mended
// by building them again; any other damage ends the program with the
// engine's words, the file left exactly as it was found.
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "data_fixture.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_schema.h"

namespace bb::test {
namespace {

constexpr int kCustomers = 1000;

class DamagedDatabase : public DataTest {
protected:
    DamagedDatabase() {
        FileManager& members = files(FileId::Members);
        EXPECT_EQ(members.Open(), SeverityNone);
        EXPECT_TRUE(dataStorage().begin(2000).ok());
        for (int i = 0; i < kCustomers; ++i) {
            members.PrimeNewRecord();
            MBR::LASTNAME.set("Customer " + std::to_string(i));
            members.Insert();
        }
        EXPECT_TRUE(dataStorage().commit().ok());
        members.Close();
        useDataFolder(".");  // let go of the database
        database_ = folder_.path() / kDatabaseName;
        sound_ = bytes();
    }

    std::string bytes() const {
        std::ifstream in(database_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // The second leaf page of the tree (the Members table or one of its keys).
    std::int64_t leafOf(const std::string& tree) const {
        sqlite3* db = nullptr;
        sqlite3_open_v2(database_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT \"pageno\" FROM dbstat WHERE \"name\" = ?1 AND"
                           " \"pagetype\" = 'leaf' ORDER BY \"pageno\" LIMIT 1 OFFSET 1",
                           -1, &s, nullptr);
        sqlite3_bind_text(s, 1, tree.c_str(), -1, SQLITE_TRANSIENT);
        const std::int64_t page = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
        sqlite3_finalize(s);
        sqlite3_close(db);
        EXPECT_GT(page, 0) << tree;
        return page;
    }

    // The sound database with the bytes from `offset` of page `page` on
    // overwritten by `with`.
    std::string damaged(std::int64_t page, int offset, const std::string& with) const {
        std::string copy = sound_;
        copy.replace(static_cast<std::size_t>((page - 1) * kPageSize + offset), with.size(), with);
        return copy;
    }
    void write(const std::string& content) const {
        std::ofstream(database_, std::ios::binary | std::ios::trunc) << content;
    }

    static constexpr std::int64_t kPageSize = 4096;
    std::filesystem::path database_;
    std::string sound_;
};

TEST_F(DamagedDatabase, DamageBeyondTheKeysEndsTheProgramBeforeAnythingIsWritten) {
    struct Case {
        const char* damage;
        std::string content;
        const char* engineWords;
    };
    const Case cases[] = {
        {"not a database at all", damaged(1, 0, std::string(16, '\x5a')),
         "file is not a database (26)"},
        {"cut short", sound_.substr(0, sound_.size() / 2), "database disk image is malformed (11)"},
        {"the list of tables", damaged(1, 100, std::string(8, '\xff')),
         "database disk image is malformed (11)"},
        {"a page of customers",
         damaged(leafOf(fileDef(FileId::Members).storedName), 8, std::string(8, '\0')),
         "database disk image is malformed (11)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.damage);
        messages_.clear();
        write(c.content);
        useDataFolder(folder_.path());
        try {
            files(FileId::Members).Open();
            ADD_FAILURE() << "did not halt";
        } catch (const Halted&) {
        }
        ASSERT_EQ(titles(), std::vector<std::string>{"File Access Error"});
        EXPECT_EQ(messages_.last().text,
                  std::string("File (Members) could not be opened.  Error: ") + c.engineWords +
                      ".  Press OK to end this application");
        useDataFolder(".");
        EXPECT_TRUE(bytes() == c.content) << "written into";
    }
}

TEST_F(DamagedDatabase, DamagedKeysAreFoundAtOnceAndBuiltAgain) {
    write(damaged(leafOf(sqlite::indexName(fileDef(FileId::Members), MBR::key::NAMEKEY)), 8,
                  std::string(8, '\0')));
    useDataFolder(folder_.path());
    FileManager& members = files(FileId::Members);
    ASSERT_EQ(members.Open(), SeverityNone);
    ASSERT_EQ(titles(), std::vector<std::string>{"Invalid Key"});
    EXPECT_EQ(messages_.last().text, "Members key file is invalid. Key must be rebuilt.");
    int read = 0;
    ASSERT_EQ(members.SetOrder(MBR::key::NAMEKEY), SeverityNone);
    while (members.Next() == SeverityNone) ++read;
    EXPECT_EQ(read, kCustomers);
    members.Close();
    // Sound again: the next run finds nothing.
    useDataFolder(folder_.path());
    messages_.clear();
    ASSERT_EQ(members.Open(), SeverityNone);
    EXPECT_TRUE(messages_.shown.empty());
    members.Close();
}

// A key whose pages cannot even be taken apart is not built again: the
// program ends, as it does for any key that cannot be built.
TEST_F(DamagedDatabase, AKeyTooDamagedToBuildAgainEndsTheProgram) {
    write(damaged(leafOf(sqlite::indexName(fileDef(FileId::Members), MBR::key::NAMEKEY)), 0,
                  std::string(4, '\xff')));
    useDataFolder(folder_.path());
    try {
        files(FileId::Members).Open();
        ADD_FAILURE() << "did not halt";
    } catch (const Halted&) {
    }
    ASSERT_EQ(titles(), (std::vector<std::string>{"Invalid Key", "Key was not built"}));
    EXPECT_EQ(messages_.last().text,
              "Error: (database disk image is malformed (11)) repairing key for Members.  Press OK "
              "to end this application");
}

}  // namespace
}  // namespace bb::test
