// Whether a file holds anything at all.
#pragma once

#include "dictionary/files.h"

namespace bb {

// Whether the (open) file holds no record, or none that can be read: a
// window that offers to add something chosen from it refuses first. The
// file's buffer and place are left as they were.
bool holdsNoRecord(FileId file);

}  // namespace bb
