#include "data/data_folder.h"

#include <memory>

#include "data/file_manager.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb {

namespace {

struct DataFolder {
    std::filesystem::path folder = ".";
    std::unique_ptr<Storage> storage;
};

DataFolder& current() {
    static DataFolder data;
    return data;
}

}  // namespace

Storage& dataStorage() {
    DataFolder& d = current();
    if (!d.storage) d.storage = openSqliteStorage(d.folder);
    return *d.storage;
}

// Handles belong to the storage that made them: they go first.
void forgetHandles() {
    for (FileId id : dictionaryOrder()) {
        if (FileManager* fm = fileManagerFor(id)) fm->ForgetHandles();
    }
}

void useDataStorage(std::unique_ptr<Storage> storage) {
    forgetHandles();
    current().storage = std::move(storage);
}

void useDataFolder(const std::filesystem::path& folder) {
    forgetHandles();
    DataFolder& d = current();
    d.storage.reset();
    d.folder = folder;
}

}  // namespace bb
