#include "data/data_folder.h"

#include "data/dictionary_setup.h"

namespace bb {

Storage& dataStorage() {
    return dataDictionary().Folder().storage();
}

void useDataFolder(const std::filesystem::path& folder) {
    dataDictionary().ForgetHandles();
    dataDictionary().Folder().useFolder(folder);
}

void useDataStorage(std::unique_ptr<Storage> storage) {
    dataDictionary().ForgetHandles();
    dataDictionary().Folder().useStorage(std::move(storage));
}

}  // namespace bb
