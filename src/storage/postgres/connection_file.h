// The data folder's note of the PostgreSQL database that holds its files:
// a small text file of "name = value" lines naming the server's host (and
// port), the database and the user. A password is never kept there: the
// client library finds it in the user's own password file (~/.pgpass).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bb::postgres {

inline constexpr const char* kConnectionFileName = "brokerbook.postgres";

struct ConnectionFile {
    // The client library's keywords and their values, as the file gives them.
    std::vector<std::pair<std::string, std::string>> settings;
    // Why the file cannot be used; empty when it can.
    std::string error;
};

// The folder's connection file read; nullopt when the folder has none (its
// files are then kept in the folder itself).
std::optional<ConnectionFile> readConnectionFile(const std::filesystem::path& folder);

}  // namespace bb::postgres
