#include "reporting/owner_process.h"

namespace bb {

RecordResult OwnerProcess::ProcessOneRecord() {
    if (PrintOwner() != SeverityNone) return RecordResult::Fatal;
    // The children's range follows the owner now in the buffers.
    if (CHILDREN.Open() != SeverityNone) return RecordResult::Fatal;
    CHILDREN.ApplyRangeLimit();
    if (CHILDREN.Reset(0) != SeverityNone) return RecordResult::Fatal;
    while (true) {
        const Severity read = CHILDREN.Next();
        if (read == SeverityNotify) return RecordResult::GoOn;  // past the owner's last child
        if (read != SeverityNone || PrintChild() != SeverityNone) return RecordResult::Fatal;
    }
}

Severity OwnerProcess::PrintOwner() {
    return REPORT->Print(0);
}

Severity OwnerProcess::PrintChild() {
    return REPORT->Print(1);
}

void OwnerProcess::Teardown() {
    CHILDREN.Teardown();
    ProcessManager::Teardown();
}

}  // namespace bb
