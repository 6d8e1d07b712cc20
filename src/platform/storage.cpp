#include "platform/storage.h"

namespace bb {

DriverStatus Transaction::begin(Storage& storage, int waitMs) {
    const DriverStatus begun = storage.begin(waitMs);
    if (begun.ok()) storage_ = &storage;
    return begun;
}

DriverStatus Transaction::commit() {
    if (!storage_) return DriverStatus::success();
    const DriverStatus committed = storage_->commit();
    if (committed.ok()) storage_ = nullptr;
    return committed;
}

void Transaction::rollback() {
    if (storage_) storage_->rollback();
    storage_ = nullptr;
}

}  // namespace bb
