#include "data/folder_storage.h"

#include "storage/open_storage.h"

namespace bb {

Storage& FolderStorage::storage() {
    if (!storage_) storage_ = openDataStorage(folder_);
    return *storage_;
}

void FolderStorage::useFolder(const std::filesystem::path& folder) {
    storage_.reset();
    folder_ = folder;
}

void FolderStorage::useStorage(std::unique_ptr<Storage> storage) {
    storage_ = std::move(storage);
}

}  // namespace bb
