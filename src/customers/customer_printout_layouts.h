// The pages of the customer printouts and the processes that read their
// customers, as their procedures run them; a benchmark runs them the same
// way. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "reporting/label_sheet.h"
#include "reporting/owner_process.h"
#include "reporting/report_layout.h"

namespace bb {

ReportLayout customerDirectoryLayout();
// The directory's process: the selected customers, and each one's phones.
void setUpCustomerDirectory(OwnerProcess& process, ProgressText progress, std::uint8_t* percent);

// A page per customer: the address, the greeting, `subject` and `body`.
ReportLayout formLettersLayout(const std::string& subject, const std::string& body);

// The labels of the stock in the labels buffer, or nullopt with the reason
// the stock cannot carry an address.
std::optional<LabelSheet> labelSheetInBuffer(std::string* error);
// A label per customer on `sheet`, in print of `points`.
ReportLayout mailingLabelsLayout(const LabelSheet& sheet, int points);

}  // namespace bb
