// The record buffers of a running report. Every file has one buffer that
// the whole program shares, and a report reads its records in time slices
// that also run while other windows are open, a modal form among them. So a
// report keeps buffers of its own: while a slice runs they stand in the
// files' buffers, and when it ends the buffers the other windows left are
// put back, so that a form never finds another record in its buffer.
//
// The report's buffers start as the files' buffers were when it was set up
// (the owner record its caller highlighted, the preferences). Owned by the
// report manager; used from the GUI thread only.
#pragma once

#include <vector>

#include "platform/record.h"

namespace bb {

class ProcessBuffers {
public:
    // Takes the files' buffers as they are now.
    ProcessBuffers();

    // The report's buffers stand in the files' for as long as it lives.
    class InUse {
    public:
        explicit InUse(ProcessBuffers& buffers);
        ~InUse();
        InUse(const InUse&) = delete;
        InUse& operator=(const InUse&) = delete;

    private:
        ProcessBuffers& buffers_;
    };

private:
    void exchange();

    std::vector<Record> own_;  // in dictionary order
};

}  // namespace bb
