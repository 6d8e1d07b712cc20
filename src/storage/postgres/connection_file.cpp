#include "storage/postgres/connection_file.h"

#include <fstream>
#include <set>

#include "platform/text.h"

namespace bb::postgres {

namespace {

// The settings a file may give, by the client library's own keywords.
const std::set<std::string>& allowed() {
    static const std::set<std::string> names = {"host", "port", "database", "user"};
    return names;
}

std::string lineError(int line, const std::string& why) {
    return std::string(kConnectionFileName) + " line " + std::to_string(line) + ": " + why;
}

}  // namespace

std::optional<ConnectionFile> readConnectionFile(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / kConnectionFileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    ConnectionFile file;
    std::ifstream in(path);
    if (!in) {
        file.error = std::string(kConnectionFileName) + " cannot be read";
        return file;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string uncommented = line.substr(0, line.find('#'));
        const std::string_view content = text::trim(uncommented);
        if (content.empty()) continue;
        const auto equals = content.find('=');
        const std::string name = text::lower(text::trim(
            content.substr(0, equals == std::string_view::npos ? content.size() : equals)));
        if (equals == std::string_view::npos) {
            file.error = lineError(number, "\"name = value\" expected");
            return file;
        }
        if (name == "password") {
            file.error =
                lineError(number, "a password is not kept here; put it in your ~/.pgpass file");
            return file;
        }
        if (!allowed().count(name)) {
            file.error = lineError(number, "unknown setting \"" + name + "\"");
            return file;
        }
        const std::string_view value = text::trim(content.substr(equals + 1));
        const std::string keyword = name == "database" ? "dbname" : name;
        file.settings.emplace_back(keyword, std::string(value));
    }
    return file;
}

}  // namespace bb::postgres
