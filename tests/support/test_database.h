// The engines a test's data folder can be kept in, and for PostgreSQL a
// database of its own on the tests' throw-away server (tests/support/
// pg_cluster, started by ctest before the tests that need it and named to
// them by the file it writes, or by BB_TEST_POSTGRES naming a file like it).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace bb::test {

enum class Engine { SQLite, PostgreSQL };

// "SQLite" or "PostgreSQL", for test names.
std::string engineName(Engine engine);

// Why the tests' server cannot be used; nullopt when it can.
std::optional<std::string> postgresMissing();
// Whether PostgreSQL cases must run rather than be skipped (in CI).
bool postgresRequired();

// The engine the data-layer tests of this process keep their folders in:
// PostgreSQL when BB_TEST_ENGINE names it (ctest runs them once so, once
// not), else SQLite. On PostgreSQL without a server every test of the
// process is skipped with the reason, or fails in CI.
Engine dataTestEngine();

// A new, empty database on the tests' server, named to `folder` by its
// connection file; dropped again (whoever is still connected) when it goes.
// REQUIRES: postgresMissing() is nullopt.
class TestDatabase {
public:
    explicit TestDatabase(const std::filesystem::path& folder);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const std::string& name() const { return name_; }
    // Runs statements on the database over a connection of its own, as
    // someone beside the program would; the server's error text, or empty.
    std::string execute(const std::string& sql) const;
    // Keeps a copy of the database as it stands (once: later calls keep the
    // first copy), and makes the database that copy again. REQUIRES: no one
    // is connected to the database.
    void keep();
    void restore();

private:
    std::string name_;
    bool kept_ = false;
};

}  // namespace bb::test
