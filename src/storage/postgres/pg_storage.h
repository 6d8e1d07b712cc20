// The PostgreSQL engine behind the file driver: one database on a server
// holds every data file of the office as a table.
//
// The connection opens on the first use and is shared by all handles of the
// process. Statements are prepared once per connection and run with their
// values as parameters. Holds between stations are the server's advisory
// locks of this connection, so the server drops them the moment a station's
// connection ends, however it ends. Every change also tells the other
// stations (a notification on commit), which a view's change mark counts.
// A connection lost is told as the file access error it is, with the words
// of the server or the client library; the server rolls back whatever was
// open, and the next transaction or open connects again.
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

#include "platform/storage.h"
#include "storage/postgres/connection_file.h"
#include "storage/postgres/pg_schema.h"
#include "storage/postgres/pg_support.h"

namespace bb::postgres {

class PgFile;

// How long a plain statement waits for other stations' locks.
inline constexpr int kStatementWaitMs = 5000;

class PgStorage final : public Storage {
public:
    explicit PgStorage(ConnectionFile settings);
    ~PgStorage() override;

    std::unique_ptr<StorageFile> file(const FileDef& def) override;
    std::unique_ptr<StorageView> view(std::vector<ViewTable> tables) override;
    DriverStatus begin(int waitMs) override;
    DriverStatus commit() override;
    DriverStatus rollback() override;
    bool inTransaction() const override { return inTransaction_; }
    const std::string& station() const override { return station_; }

    // Opens the connection if it is not open (or was lost, outside a
    // transaction).
    DriverStatus connect();
    PGconn* conn() const { return conn_; }
    const CaseRules& caseRules() const { return rules_; }

    // Runs `sql` with `params`, prepared on its first use on this connection.
    Result run(const std::string& sql, const Params& params = {});
    // Runs statements without parameters.
    Result execute(const std::string& sql);
    DriverStatus failure(const Result& result) const { return statusFromResult(conn_, result); }
    // Runs `sql` inside a savepoint when a transaction is open, so that its
    // failure (a duplicate key) leaves the transaction usable.
    Result runIsolated(const std::string& sql, const Params& params);
    // Runs `work` in a transaction of its own unless one is open.
    DriverStatus inOwnTransaction(const std::function<DriverStatus()>& work);

    // Reads the record with this id into `into`; code 33 when there is none.
    DriverStatus readRecord(const FileDef& def, std::int64_t rid, Record& into,
                            std::int64_t* version = nullptr);

    SchemaCheck checkSchema(const FileDef& def, DriverStatus& status);

    // Holds: the server's advisory locks of this connection, one per record.
    static int fileKey(const std::string& storedName);
    bool heldByOther(int file, std::int64_t rid);
    // The records of the file other stations hold; nullopt when unknown.
    std::optional<std::set<std::int64_t>> heldByOthers(int file);
    DriverStatus take(int file, std::int64_t rid);
    void release(int file, std::int64_t rid);
    // Whether the station a reservation names still runs.
    bool alive(const std::string& station);

    // A table's count of this station's own changes, plus the rollbacks
    // (see the SQLite engine's): read-ahead taken before it moved is not
    // trusted after it.
    std::uint64_t& ownChanges(const std::string& table) { return changes_[table]; }
    const std::uint64_t& rollbacks() const { return rollbacks_; }
    // The changes other stations have committed since this one connected.
    std::optional<std::int64_t> othersChanges();

    void attach(PgFile* file) { files_.insert(file); }
    void detach(PgFile* file) { files_.erase(file); }

private:
    DriverStatus setUp();
    // Whether the connection is open, connecting again when it was lost
    // outside a transaction.
    bool connected();
    void disconnect();

    ConnectionFile settings_;
    PGconn* conn_ = nullptr;
    bool inTransaction_ = false;
    CaseRules rules_;
    std::unordered_map<std::string, std::string> prepared_;  // statement text to name
    std::string station_;
    std::string process_;  // host and process, the start of the station's name
    int backendPid_ = 0;
    std::int64_t othersChanges_ = 0;
    std::map<std::string, std::uint64_t> changes_;
    std::uint64_t rollbacks_ = 0;
    std::set<PgFile*> files_;
};

}  // namespace bb::postgres
