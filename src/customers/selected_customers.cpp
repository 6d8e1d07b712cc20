#include "customers/selected_customers.h"

#include "data/relation_manager.h"
#include "platform/text.h"

namespace bb {

namespace {

// The order a blank or unknown sort falls back to: the customer's name.
constexpr std::string_view kNameOrder = "MBR:CompanyName";

// The join of the view: memberships hang on the customer; the
// representative too.
constexpr int kCustomer = 0;

}  // namespace

std::string customerOrderText(std::string_view stored) {
    const FileDef& members = fileDef(FileId::Members);
    const std::string name(text::trim(stored));
    // Written with the file's prefix, as the view reads names.
    if (const auto key = members.findKey(name))
        return members.prefix + ":" + members.keys[static_cast<std::size_t>(*key)].name;
    if (const auto field = members.findField(name)) {
        if (members.fields[static_cast<std::size_t>(*field)].isText())
            return "UPPER(" + members.qualifiedName(*field) + ")";
        return members.qualifiedName(*field);
    }
    return customerOrderText(kNameOrder);
}

ViewSpec selectedCustomersView() {
    return {FileId::Members, {{FileId::Commbrs, kCustomer}, {FileId::Representatives, kCustomer}}};
}

void setUpSelectedCustomers(ProcessManager& process, ProgressText progress, std::uint8_t* percent) {
    process.Setup(selectedCustomersView(), *relationManagerFor(FileId::Members),
                  std::move(progress), 0, percent);
    process.DefineSortOrder(MBR::key::COMPANYKEY);
    process.DefineOrder(customerOrderText(CTRL::REPORTKEY.get()));
    const std::string filter(text::clip(CTRL::REPORTFILTER.get()));
    if (!filter.empty()) process.DefineFilter(filter);
}

}  // namespace bb
