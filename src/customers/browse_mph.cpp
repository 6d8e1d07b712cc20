// The list of a customer's phone numbers.
#include "customers/phone_list.h"

namespace bb {
namespace {

const PhoneListShape kShape{
    .procedure = "BrowseMPH",
    .caption = "Customer Phone Numbers",
    // The number's column holds the whole of its picture, (###) ###-####.
    .format = "47L(2)|M~Location~@s10@80L(2)|M~Number~@p(###) ###-####p@80L(2)|M~Department~@s20@",
    .update = "UpdateMPH",
    .editTip = "Review or make changes to the highlighted record",
    .phones = kCustomerPhones,
};

const WindowDecl& kBrowseMPH = declarePhoneList(kShape);

}  // namespace

void BrowseMPH(std::string_view) {
    runPhoneList(kBrowseMPH, kShape);
}

}  // namespace bb
