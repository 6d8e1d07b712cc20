#include "reporting/process_buffers.h"

#include <utility>

#include "dictionary/files.h"

namespace bb {

ProcessBuffers::ProcessBuffers() {
    own_.reserve(kFileCount);
    for (FileId id : dictionaryOrder()) own_.push_back(buffer(id));
}

// Swapping keeps each buffer where it is, so every binding of a buffer by
// its address (filters, the window's names) still reads the one in use.
void ProcessBuffers::exchange() {
    std::size_t i = 0;
    for (FileId id : dictionaryOrder()) std::swap(buffer(id), own_[i++]);
}

ProcessBuffers::InUse::InUse(ProcessBuffers& buffers) : buffers_(buffers) {
    buffers_.exchange();
}

ProcessBuffers::InUse::~InUse() {
    buffers_.exchange();
}

}  // namespace bb
