#include "data/file_presence.h"

#include "data/file_manager.h"

namespace bb {

bool holdsNoRecord(FileId file) {
    FileManager& manager = *fileManagerFor(file);
    const int saved = manager.SaveCopy();
    const bool empty = manager.SetOrder(0) != SeverityNone || manager.NextQuietly() != SeverityNone;
    manager.RestoreCopy(saved, true);
    return empty;
}

}  // namespace bb
