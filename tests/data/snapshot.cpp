#include "snapshot.h"

#include "data/file_manager.h"
#include "platform/runtime.h"

namespace bb::test {

Snapshot Snapshot::take() {
    Snapshot shot;
    for (FileId id : dictionaryOrder()) {
        FileManager& fm = *fileManagerFor(id);
        if (fm.Open() != SeverityNone) continue;
        StorageFile& file = fm.Driver();
        Record r(fileDef(id));
        file.setStart(-1);
        // A record another station holds is read past, not taken as the end.
        for (DriverStatus s = file.next(r); s.ok() || s.code == code::kRecordHeld;
             s = file.next(r)) {
            if (!s.ok()) continue;
            Fields values;
            for (int f = 0; f < r.size(); ++f) values.push_back(r.get(f).toText());
            shot.records_[id][file.position()] = std::move(values);
        }
        fm.Close();
    }
    return shot;
}

std::vector<std::string> Snapshot::differences(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> out;
    for (FileId id : dictionaryOrder()) {
        const auto& was =
            before.records_.count(id) ? before.records_.at(id) : std::map<std::string, Fields>{};
        const auto& is =
            after.records_.count(id) ? after.records_.at(id) : std::map<std::string, Fields>{};
        int added = 0, removed = 0, changed = 0;
        std::set<std::string> fields;
        for (const auto& [position, values] : was) {
            const auto now = is.find(position);
            if (now == is.end()) {
                ++removed;
                continue;
            }
            if (now->second == values) continue;
            ++changed;
            for (std::size_t f = 0; f < values.size(); ++f) {
                if (values[f] != now->second[f]) fields.insert(fileDef(id).fields[f].mixedName);
            }
        }
        for (const auto& [position, values] : is) added += !was.count(position);
        const std::string& label = fileDef(id).label;
        if (added) out.push_back(label + " +" + std::to_string(added));
        if (removed) out.push_back(label + " -" + std::to_string(removed));
        if (changed) {
            std::string line = label + " ~" + std::to_string(changed);
            for (const std::string& f : fields) line += " " + f;
            out.push_back(line);
        }
    }
    return out;
}

}  // namespace bb::test
