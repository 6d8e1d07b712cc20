// A database file damaged on disk, found when a station first opens it and
// before the station writes anything, or met later by a read or a write
// (a page gone bad after the first look): damage the keys account for is
// mended by building them again; any other damage ends the program with the
// engine's words, the file left exactly as it was found.
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "data/view_manager.h"
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

    // The leaf pages of the tree (the Members table or one of its keys).
    std::vector<std::int64_t> leavesOf(const std::string& tree) const {
        sqlite3* db = nullptr;
        sqlite3_open_v2(database_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT \"pageno\" FROM dbstat WHERE \"name\" = ?1 AND"
                           " \"pagetype\" = 'leaf' ORDER BY \"pageno\"",
                           -1, &s, nullptr);
        sqlite3_bind_text(s, 1, tree.c_str(), -1, SQLITE_TRANSIENT);
        std::vector<std::int64_t> pages;
        while (sqlite3_step(s) == SQLITE_ROW) pages.push_back(sqlite3_column_int64(s, 0));
        sqlite3_finalize(s);
        sqlite3_close(db);
        EXPECT_GT(pages.size(), 1U) << tree;
        return pages;
    }
    // The second leaf page of the tree.
    std::int64_t leafOf(const std::string& tree) const {
        const std::vector<std::int64_t> pages = leavesOf(tree);
        return pages.size() > 1 ? pages[1] : 0;
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

    // Writes `content` over each page (by number), through a handle of its
    // own while the storage is open, and moves the file's change counter as
    // another station's write does: the storage then reads the pages afresh
    // instead of the sound copies it keeps.
    void overwriteOnDisk(const std::vector<std::pair<std::int64_t, std::string>>& pages,
                         int offset = 0) const {
        std::fstream file(database_, std::ios::binary | std::ios::in | std::ios::out);
        for (const auto& [page, content] : pages) {
            file.seekp((page - 1) * kPageSize + offset);
            file.write(content.data(), static_cast<std::streamsize>(content.size()));
        }
        constexpr std::streamoff kChangeCounter = 24;  // four bytes, most significant first
        unsigned char counter[4] = {};
        file.seekg(kChangeCounter);
        file.read(reinterpret_cast<char*>(counter), sizeof counter);
        for (int i = 3; i >= 0 && ++counter[i] == 0; --i) {
        }
        file.seekp(kChangeCounter);
        file.write(reinterpret_cast<const char*>(counter), sizeof counter);
        ASSERT_TRUE(file.good());
    }
    // The bytes from `offset` of each of `pages` overwritten by `with`.
    void damageOnDisk(const std::vector<std::int64_t>& pages, int offset,
                      const std::string& with) const {
        std::vector<std::pair<std::int64_t, std::string>> writes;
        for (const std::int64_t page : pages) writes.emplace_back(page, with);
        overwriteOnDisk(writes, offset);
    }
    // Each of `pages` given the content of the next, the last that of the
    // first: every page is sound in itself, but none where its tree looks.
    void rotateOnDisk(const std::vector<std::int64_t>& pages) const {
        const std::string now = bytes();
        std::vector<std::pair<std::int64_t, std::string>> writes;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const std::int64_t from = pages[(i + 1) % pages.size()];
            writes.emplace_back(pages[i],
                                now.substr(static_cast<std::size_t>((from - 1) * kPageSize),
                                           static_cast<std::size_t>(kPageSize)));
        }
        overwriteOnDisk(writes);
    }

    // Reads customer `number` into the buffer, as a form does before a change.
    static void readCustomer(int number) {
        MBR::MEMBERNUMBER.set(number);
        ASSERT_EQ(files(FileId::Members).Fetch(MBR::key::MEMBERKEY), SeverityNone);
    }

    // Reads every customer in name order; the last read's result.
    static Severity readByName(int& read) {
        FileManager& members = files(FileId::Members);
        read = 0;
        EXPECT_EQ(members.SetOrder(MBR::key::NAMEKEY), SeverityNone);
        Severity last;
        while ((last = members.Next()) == SeverityNone) ++read;
        return last;
    }

    // Sound again: a new run's first look finds nothing to tell.
    void expectSoundInANewRun() {
        FileManager& members = files(FileId::Members);
        useDataFolder(folder_.path());
        messages_.clear();
        ASSERT_EQ(members.Open(), SeverityNone);
        EXPECT_TRUE(messages_.shown.empty());
        members.Close();
    }

    // Something the user does that reads or writes customers; its result.
    struct Operation {
        const char* what;
        std::function<Severity()> run;
    };
    static Operation readingByName() {
        return {"reading in name order", [] {
                    int read = 0;
                    return readByName(read);
                }};
    }

    static constexpr std::int64_t kPageSize = 4096;
    // A leaf's cells, all of them, overwritten, its header left: every read
    // of one fails, and the key it belongs to can still be taken apart.
    const std::string kCellsGone = std::string(kPageSize - 8, '\0');
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
    EXPECT_EQ(readByName(read), SeverityNotify);
    EXPECT_EQ(read, kCustomers);
    members.Close();
    expectSoundInANewRun();
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

// A page that goes bad after the first look (another station's crash, a
// disk fault) is told as the damage it is wherever a read or a write meets
// it, never as a failed read the user may work on past: the program ends as
// the first look would have ended it, and nothing is written into the file.
TEST_F(DamagedDatabase, DataDamagedAfterOpeningEndsTheProgramWhereverItIsMet) {
    FileManager& members = files(FileId::Members);
    const std::string table = fileDef(FileId::Members).storedName;
    struct Damage {
        const char* what;
        std::function<void()> make;
        const char* engineWords;
    };
    const Damage damages[] = {
        {"the customers' pages",
         [&] { damageOnDisk(leavesOf(table), 0, std::string(kPageSize, '\xff')); },
         "database disk image is malformed (11)"},
        {"the customers' cells, their pages' headers left",
         [&] { damageOnDisk(leavesOf(table), 8, kCellsGone); },
         "database disk image is malformed (11)"},
        {"not a database any more", [&] { damageOnDisk({1}, 0, std::string(16, '\x5a')); },
         "file is not a database (26)"},
    };
    const Operation operations[] = {
        readingByName(),
        {"reading a customer by number",
         [&] {
             MBR::MEMBERNUMBER.set(kCustomers / 4);
             return members.Fetch(MBR::key::MEMBERKEY);
         }},
        {"moving through a list",
         [&] {
             ViewManager list;
             list.Setup({FileId::Members, {}}, relations(FileId::Members));
             list.DefineSortOrder(MBR::key::NAMEKEY);
             Severity last = list.Reset();
             while (last == SeverityNone) last = list.Next();
             list.Teardown();
             return last;
         }},
        {"adding a customer",
         [&] {
             if (const Severity s = members.PrimeNewRecord(); s != SeverityNone) return s;
             MBR::LASTNAME.set("Added");
             return members.Insert();
         }},
        {"changing the customer read",
         [&] {
             MBR::FIRSTNAME.set("Changed");
             return members.Update();
         }},
        {"deleting the customer read", [&] { return relations(FileId::Members).Delete(false); }},
    };
    for (const Damage& damage : damages) {
        for (const Operation& operation : operations) {
            SCOPED_TRACE(std::string(damage.what) + ", " + operation.what);
            write(sound_);
            useDataFolder(folder_.path());
            // The first look finds the file sound.
            ASSERT_EQ(relations(FileId::Members).Open(), SeverityNone);
            readCustomer(kCustomers / 2);
            damage.make();
            const std::string damaged = bytes();
            messages_.clear();
            try {
                operation.run();
                ADD_FAILURE() << "did not halt";
            } catch (const Halted&) {
            }
            ASSERT_EQ(titles(), std::vector<std::string>{"File Access Error"});
            EXPECT_EQ(messages_.last().text,
                      std::string("File (Members) could not be opened.  Error: ") +
                          damage.engineWords + ".  Press OK to end this application");
            // Whatever runs on before the program ends writes nothing.
            EXPECT_TRUE(dataStorage().begin(0).damaged);
            useDataFolder(".");
            EXPECT_TRUE(bytes() == damaged) << "written into";
        }
    }
}

// Keys that go bad after the first look are told as keys to build again,
// and the next open of the file builds them: the user's change is neither
// written nor taken from the form's buffer, and no question offers to try
// again, which could only meet the damage again.
TEST_F(DamagedDatabase, KeysDamagedAfterOpeningAreToldAndBuiltAgainAtTheNextOpen) {
    FileManager& members = files(FileId::Members);
    const std::string key = sqlite::indexName(fileDef(FileId::Members), MBR::key::NAMEKEY);
    const Operation renaming{"renaming the customer read", [&] {
                                 MBR::LASTNAME.set("Renamed");
                                 const Severity result = members.Update();
                                 EXPECT_EQ(MBR::LASTNAME.get(), "Renamed")
                                     << "the user's change is lost";
                                 return result;
                             }};
    // A form saves through the relations; SeverityAsk would make it offer
    // to save again.
    const Operation saving{"saving the renamed customer as a form does", [&] {
                               MBR::LASTNAME.set("Renamed");
                               const Severity result = relations(FileId::Members).Update(true);
                               EXPECT_EQ(MBR::LASTNAME.get(), "Renamed")
                                   << "the user's change is lost";
                               return result;
                           }};
    // Deleting again could only meet the damage again: no question offers it.
    const Operation deleting{"deleting the customer read", [&] {
                                 const Severity result = relations(FileId::Members).Delete(false);
                                 EXPECT_EQ(MBR::MEMBERNUMBER.get(), kCustomers / 2)
                                     << "the record shown is lost";
                                 return result;
                             }};
    const Operation adding{"adding a customer", [&] {
                               if (const Severity s = members.PrimeNewRecord(); s != SeverityNone)
                                   return s;
                               MBR::LASTNAME.set("Added");
                               return members.Insert();
                           }};
    struct Damage {
        const char* what;
        std::function<void()> make;
        std::vector<Operation> meetingIt;
    };
    const Damage damages[] = {
        {"the key's cells gone",
         [&] { damageOnDisk(leavesOf(key), 8, kCellsGone); },
         {readingByName(), renaming, saving, deleting, adding}},
        // Pages sound in themselves, which no look finds out of place: a
        // delete or a change finds the entry it replaces missing. Once the
        // keys are known damaged, nothing more is written through them.
        {"the key's pages out of place",
         [&] { rotateOnDisk(leavesOf(key)); },
         {deleting, renaming, saving, adding}},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        write(sound_);
        useDataFolder(folder_.path());
        // With the files a change or a delete reaches, so that opening them
        // writes nothing later.
        ASSERT_EQ(relations(FileId::Members).Open(), SeverityNone);
        readCustomer(kCustomers / 2);
        const std::string name = MBR::LASTNAME.get();
        damage.make();
        const std::string damaged = bytes();
        for (const Operation& operation : damage.meetingIt) {
            SCOPED_TRACE(operation.what);
            messages_.clear();
            EXPECT_EQ(operation.run(), SeverityNotify);
            ASSERT_EQ(titles(), std::vector<std::string>{"Invalid Key"});
            EXPECT_EQ(messages_.last().text, "Members key file is invalid. Key must be rebuilt.");
            EXPECT_TRUE(bytes() == damaged) << "written into";
        }
        relations(FileId::Members).Close();
        messages_.clear();
        ASSERT_EQ(members.Open(), SeverityNone);
        EXPECT_EQ(titles(), std::vector<std::string>{"Invalid Key"});
        int read = 0;
        EXPECT_EQ(readByName(read), SeverityNotify);
        EXPECT_EQ(read, kCustomers);
        readCustomer(kCustomers / 2);
        EXPECT_EQ(MBR::LASTNAME.get(), name);
        members.Close();
        expectSoundInANewRun();
        useDataFolder(".");
    }
}

}  // namespace
}  // namespace bb::test
