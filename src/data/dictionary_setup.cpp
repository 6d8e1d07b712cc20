#include "data/dictionary_setup.h"

namespace bb {

void DataDictionary::Setup(ErrorManager& errors, const Trace& trace) {
    for (FileId id : dictionaryOrder()) {
        const FileDef& def = fileDef(id);
        FileManager& fm = files(id);
        fm.Setup(id, errors, folder_);
        fm.FileNameValue = def.label;
        fm.Create = true;
        fm.LockRecover = kLockRecoverSeconds;
        fm.LazyOpen = false;

        RelationManager& rm = relations(id);
        rm.Setup(fm, true);
        for (const RelationDef& r : relationsOf(id)) rm.DefineRelation(relations(r.related), r);
        live_[static_cast<std::size_t>(id)] = true;
        if (trace) trace("setup", def.label);
    }
}

void DataDictionary::Teardown(const Trace& trace) {
    for (FileId id : dictionaryOrder()) {
        live_[static_cast<std::size_t>(id)] = false;
        relations(id).Teardown();
        if (trace) trace("teardown", fileDef(id).label);
    }
}

FileManager* DataDictionary::fileManager(FileId id) {
    return live_[static_cast<std::size_t>(id)] ? &files(id) : nullptr;
}

RelationManager* DataDictionary::relationManager(FileId id) {
    return live_[static_cast<std::size_t>(id)] ? &relations(id) : nullptr;
}

void DataDictionary::ForgetHandles() {
    for (FileManager& fm : files_) fm.ForgetHandles();
}

DataDictionary& dataDictionary() {
    static DataDictionary dictionary;
    return dictionary;
}

FileManager* fileManagerFor(FileId file) {
    return dataDictionary().fileManager(file);
}

RelationManager* relationManagerFor(FileId file) {
    return dataDictionary().relationManager(file);
}

}  // namespace bb
