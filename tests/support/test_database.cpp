#include "test_database.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

namespace bb::test {

namespace {

// The server's settings as pg_cluster wrote them ("name=value" lines).
std::map<std::string, std::string> serverSettings() {
    std::map<std::string, std::string> out;
    // A server of one's own may be named instead of the one ctest starts.
    const char* named = std::getenv("BB_TEST_POSTGRES");
    const char* state = named ? named : BB_TEST_POSTGRES_STATE;
    std::ifstream in(state);
    std::string line;
    while (std::getline(in, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) out[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return out;
}

std::string connection(const std::string& database) {
    const auto s = serverSettings();
    return "host='" + s.at("host") + "' port='" + s.at("port") + "' user='" + s.at("user") +
           "' dbname='" + database + "'";
}

std::string run(const std::string& database, const std::string& sql) {
    PGconn* conn = PQconnectdb(connection(database).c_str());
    std::string error;
    if (PQstatus(conn) != CONNECTION_OK) {
        error = PQerrorMessage(conn);
    } else {
        PGresult* r = PQexec(conn, sql.c_str());
        const ExecStatusType status = PQresultStatus(r);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            error = PQresultErrorMessage(r);
        PQclear(r);
    }
    PQfinish(conn);
    return error;
}

}  // namespace

std::string engineName(Engine engine) {
    return engine == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

std::optional<std::string> postgresMissing() {
    static const std::optional<std::string> missing = []() -> std::optional<std::string> {
        const auto s = serverSettings();
        if (!s.count("host"))
            return "no PostgreSQL test server: ctest starts one (tests/support/pg_cluster) when "
                   "PostgreSQL's server is installed";
        if (std::string error = run("postgres", "SELECT 1"); !error.empty())
            return "the PostgreSQL test server does not answer: " + error;
        return std::nullopt;
    }();
    return missing;
}

bool postgresRequired() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

Engine dataTestEngine() {
    const char* engine = std::getenv("BB_TEST_ENGINE");
    return engine && std::string(engine) == "PostgreSQL" ? Engine::PostgreSQL : Engine::SQLite;
}

namespace {

class ServerNeeded final : public ::testing::Environment {
public:
    void SetUp() override {
        const auto missing = postgresMissing();
        if (!missing) return;
        if (postgresRequired()) FAIL() << *missing;
        GTEST_SKIP() << *missing;
    }
};

const bool kServerChecked = dataTestEngine() == Engine::PostgreSQL &&
                            ::testing::AddGlobalTestEnvironment(new ServerNeeded) != nullptr;

}  // namespace

TestDatabase::TestDatabase(const std::filesystem::path& folder) {
    static int made = 0;
    name_ = "bbtest_" + std::to_string(getpid()) + "_" + std::to_string(++made);
    if (std::string error = run("postgres", "CREATE DATABASE " + name_); !error.empty())
        throw std::runtime_error(error);
    const auto s = serverSettings();
    std::ofstream(folder / "brokerbook.postgres")
        << "# the tests' own server\nhost = " << s.at("host") << "\nport = " << s.at("port")
        << "\ndatabase = " << name_ << "\nuser = " << s.at("user") << "\n";
}

TestDatabase::~TestDatabase() {
    run("postgres", "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
    if (kept_) run("postgres", "DROP DATABASE IF EXISTS " + name_ + "_kept");
}

void TestDatabase::keep() {
    if (kept_) return;
    if (std::string error = run("postgres", "CREATE DATABASE " + name_ + "_kept TEMPLATE " + name_);
        !error.empty())
        throw std::runtime_error(error);
    kept_ = true;
}

void TestDatabase::restore() {
    run("postgres", "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
    if (std::string error =
            run("postgres", "CREATE DATABASE " + name_ + " TEMPLATE " + name_ + "_kept");
        !error.empty())
        throw std::runtime_error(error);
}

std::string TestDatabase::execute(const std::string& sql) const {
    return run(name_, sql);
}

}  // namespace bb::test
