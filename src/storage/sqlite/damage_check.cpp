#include "storage/sqlite/damage_check.h"

#include <cstdlib>
#include <optional>
#include <regex>
#include <sstream>
#include <vector>

#include "storage/sqlite/connection_settings.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_support.h"

namespace bb::sqlite {

namespace {

// Pages the look keeps cached. It reads each page about once, so a small
// cache does not slow it down.
constexpr int kLookCacheKiB = 1024;

// A connection of the look's own on the driver's database, closed when the
// look ends. The look reads every page of the file: through the driver's
// connection those pages would stay in its page cache for the rest of the
// run, and the program's memory would grow with the book.
// This one reads without a map, through a small cache.
class LookConnection {
public:
    explicit LookConnection(sqlite3* driver) {
        // The driver's own access, so that a journal left by a station that
        // died is rolled back here as the driver would have done it.
        const int access =
            sqlite3_db_readonly(driver, "main") == 1 ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        opened_ = sqlite3_open_v2(sqlite3_db_filename(driver, "main"), &db_,
                                  access | SQLITE_OPEN_NOMUTEX, nullptr);
        if (opened_ != SQLITE_OK) return;
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, kStatementWaitMs);
        // The no-case keys are compared by the program's own collation.
        opened_ = registerExtensions(db_);
        const std::string settings =
            "PRAGMA mmap_size=0; PRAGMA cache_size=-" + std::to_string(kLookCacheKiB);
        sqlite3_exec(db_, settings.c_str(), nullptr, nullptr, nullptr);
    }
    ~LookConnection() { sqlite3_close_v2(db_); }
    LookConnection(const LookConnection&) = delete;
    LookConnection& operator=(const LookConnection&) = delete;

    sqlite3* get() const { return db_; }
    int opened() const { return opened_; }

private:
    sqlite3* db_ = nullptr;
    int opened_ = SQLITE_OK;
};

// Counts the engine's steps and stops the look once the budget is spent.
class Budget {
public:
    Budget(sqlite3* db, std::uint64_t steps) : db_(db), left_(steps) {
        if (steps > 0) sqlite3_progress_handler(db_, kStepsPerCall, spend, this);
    }
    ~Budget() { sqlite3_progress_handler(db_, 0, nullptr, nullptr); }
    Budget(const Budget&) = delete;
    Budget& operator=(const Budget&) = delete;

private:
    static constexpr int kStepsPerCall = 1000;
    static int spend(void* self) {
        auto& budget = *static_cast<Budget*>(self);
        if (budget.left_ <= kStepsPerCall) return 1;
        budget.left_ -= kStepsPerCall;
        return 0;
    }
    sqlite3* db_;
    std::uint64_t left_;
};

// The engine's complaints, without its heading; none when it found nothing.
// False (with the failure in `failed`) when the look itself failed.
bool quickCheck(sqlite3* db, std::uint64_t budget, std::vector<std::string>& complaints,
                int& failed) {
    const Budget limit(db, budget);
    Statement check(db, "PRAGMA quick_check");
    if (!check.valid()) {
        failed = check.prepareResult();
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(check.get())) == SQLITE_ROW) {
        // A row may hold several complaints, a line each, under a heading.
        std::istringstream lines(
            reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0)));
        for (std::string line; std::getline(lines, line);) {
            if (line != "ok" && line.rfind("***", 0) != 0) complaints.push_back(line);
        }
    }
    failed = rc;
    return rc == SQLITE_DONE;
}

// The page a complaint is about when it is about one page of a tree ("Page
// 34: ...", "On tree page 34 cell 2: ..."); none for any other complaint
// (pages never used or used twice, a damaged free list), which rebuilding
// keys cannot mend.
std::optional<std::int64_t> pageOf(const std::string& complaint) {
    static const std::regex kAboutAPage("^(?:Page|On tree page) ([0-9]+)[: ]");
    std::smatch match;
    if (!std::regex_search(complaint, match, kAboutAPage)) return std::nullopt;
    return std::strtoll(match[1].str().c_str(), nullptr, 10);
}

// The data tables whose keys hold all of `pages`, or none when a page is
// not a key's: keys go by their index's name, each under its table.
std::optional<std::set<std::string>> keyTablesOf(sqlite3* db, std::set<std::int64_t> pages) {
    Statement trees(db,
                    "SELECT s.\"pageno\", m.\"type\", m.\"tbl_name\" FROM dbstat AS s"
                    " JOIN sqlite_schema AS m ON m.\"name\" = s.\"name\"");
    if (!trees.valid()) return std::nullopt;
    std::set<std::string> tables;
    while (!pages.empty() && sqlite3_step(trees.get()) == SQLITE_ROW) {
        if (pages.erase(sqlite3_column_int64(trees.get(), 0)) == 0) continue;
        const std::string type = reinterpret_cast<const char*>(sqlite3_column_text(trees.get(), 1));
        const std::string table =
            reinterpret_cast<const char*>(sqlite3_column_text(trees.get(), 2));
        // The engine's own tables are not data files, and have no keys to build.
        if (type != "index" || table.rfind("_bb_", 0) == 0) return std::nullopt;
        tables.insert(table);
    }
    if (!pages.empty()) return std::nullopt;
    return tables;
}

}  // namespace

Damage lookForDamage(sqlite3* driver, std::uint64_t budgetSteps) {
    Damage found;
    const LookConnection look(driver);
    sqlite3* db = look.get();
    if (look.opened() != SQLITE_OK) {
        found.data = statusFromEngine(db, look.opened());
        return found;
    }
    std::vector<std::string> complaints;
    int failed = SQLITE_OK;
    // The pages' structure is looked over whole, and told of, before the
    // records are: a budget spent cuts only the look at the records short.
    if (!quickCheck(db, budgetSteps, complaints, failed) && failed != SQLITE_INTERRUPT) {
        found.data = statusFromEngine(db, failed);
        return found;
    }
    if (complaints.empty()) return found;
    std::set<std::int64_t> pages;
    for (const std::string& complaint : complaints) {
        const auto page = pageOf(complaint);
        if (!page) {
            pages.clear();
            break;
        }
        pages.insert(*page);
    }
    const auto keys = pages.empty() ? std::nullopt : keyTablesOf(db, pages);
    if (keys) {
        found.keysOf = *keys;
    } else {
        found.data = statusFromEngine(db, SQLITE_CORRUPT);
    }
    return found;
}

}  // namespace bb::sqlite
