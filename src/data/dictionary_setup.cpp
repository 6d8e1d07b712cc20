#include "data/dictionary_setup.h"

namespace bb {

void DataDictionary::Setup(ErrorManager& errors, const Trace& trace) {
    for (FileId id : dictionaryOrder()) {
        const FileDef& def = fileDef(id);
        FileManager& fm = files(id);
        fm.Setup(id, errors);
        fm.FileNameValue = def.label;
        fm.Create = true;
        fm.LockRecover = FileManager::kLockRecoverSeconds;
        for (std::size_t k = 0; k < def.keys.size(); ++k) {
            fm.DefineKey(static_cast<int>(k), def.keys[k].description, def.keys[k].autoInc);
        }
        fm.LazyOpen = false;

        RelationManager& rm = relations(id);
        rm.Setup(fm, true);
        for (const RelationDef& r : relationsOf(id)) {
            if (!r.keyed) {
                rm.DefineRelation(relations(r.related));
                continue;
            }
            rm.DefineRelation(relations(r.related), r.onUpdate, r.onDelete, r.relatedKey);
            for (const LinkPair& l : r.links) rm.DefineRelationLink(l.field, l.relatedField);
        }
        if (trace) trace("setup", def.label);
    }
}

void DataDictionary::Teardown(const Trace& trace) {
    for (FileId id : dictionaryOrder()) {
        relations(id).Teardown();
        if (trace) trace("teardown", fileDef(id).label);
    }
}

DataDictionary& dataDictionary() {
    static DataDictionary dictionary;
    return dictionary;
}

}  // namespace bb
