#include "ui/window_ids.h"

#include "platform/runtime.h"

namespace bb {

namespace {
// The frame's thread is 1; started windows count on from there.
int lastId = 1;
}  // namespace

int newWindowId() {
    return ++lastId;
}

ThreadScope::ThreadScope(int id) : previous_(currentThread()) {
    setCurrentThread(id);
}

ThreadScope::~ThreadScope() {
    setCurrentThread(previous_);
}

}  // namespace bb
