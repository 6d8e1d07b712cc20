// The customers a directory, a letter run or a label run goes to: the
// customers file in the order the preferences name, kept to the selection
// the preferences hold (status, representatives, classifications and
// customer groups), each customer once.
//
// A customer belongs to a group selection when any of its memberships is
// in a marked group; the view reads the customer once per membership, so
// the process passes on only the first row of each customer. A selection
// the view refuses ends the report before anything prints (the process
// manager's rule), so a mailing never goes to every customer by mistake.
// Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/files.h"
#include "reporting/process_manager.h"

namespace bb {

// The order text of the customers view for a stored sort: a field or a key
// of the customers file (a text field ordered regardless of case, as the
// keys order, so that a key with that field can be walked); anything else,
// a blank among them, the customer name order.
std::string customerOrderText(std::string_view stored);

// The view a selection reads: the customers, with their memberships (for a
// group condition) and their representative beside them.
ViewSpec selectedCustomersView();

// Sets `process` up over the selected customers: the view, the order and
// the filter of the preferences as they are now, progress counted against
// the customers on file.
void setUpSelectedCustomers(ProcessManager& process, ProgressText progress, std::uint8_t* percent);

// A process that takes each customer's first row only: rows of one
// customer follow each other, since the view orders by the customer's
// record before its memberships.
template <class Process>
class EachCustomerOnce : public Process {
public:
    Severity Reset(int components) override {
        last_.reset();
        return Process::Reset(components);
    }
    using Process::Reset;

    int ValidateAllFields() override {
        const std::int32_t number = MBR::MEMBERNUMBER.get();
        if (last_ == number) return ViewManager::SkipRecord;
        last_ = number;
        return Process::ValidateAllFields();
    }

private:
    std::optional<std::int32_t> last_;
};

}  // namespace bb
