// The process of a report driven by owner records: it walks the owners (an
// account, a receipt, a customer group) and, for each, prints the owner's
// band and then a band per child record (the account's trades, the
// receipt's items, the group's members). An owner with no children still
// prints its band, so "no records" means no owner at all.
//
// The report procedure sets up the owners' view as for any process, and
// the children's view in CHILDREN: its sort order and a range that keeps it
// to the owner's records (usually the file relation's range). Detail band 0
// of the report is the owner's, band 1 the child's, unless the procedure
// overrides PrintOwner and PrintChild. Belongs to its report window; used
// from the GUI thread only.
#pragma once

#include "reporting/band_report.h"
#include "reporting/process_manager.h"

namespace bb {

class OwnerProcess : public ProcessManager {
public:
    // The owner's band, then each child's; Fatal when a band cannot print
    // or the children cannot be read.
    RecordResult ProcessOneRecord() override;
    void Teardown() override;

    // Print the owner in the buffers, and each child in turn.
    virtual Severity PrintOwner();
    virtual Severity PrintChild();

    ViewManager CHILDREN;
    BandReport* REPORT = nullptr;
};

}  // namespace bb
