#include "dictionary/process_values.h"

#include "dictionary/files.h"

namespace bb {

ProcessValues& processValues() {
    static ProcessValues values;
    return values;
}

void loadProgram() {
    processValues() = ProcessValues{};
    for (FileId id : dictionaryOrder()) buffer(id).clear();
}

}  // namespace bb
