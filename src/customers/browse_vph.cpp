// The list of an account company's phone numbers.
#include "customers/phone_list.h"

namespace bb {
namespace {

const PhoneListShape kShape{
    .procedure = "BrowseVPH",
    .caption = "Company Phone Numbers",
    // The number's column holds the whole of its picture, (###) ###-####.
    .format = "47L(2)|M~Location~@s10@80L(2)|M~Number~@p(###) ###-####p@80L(2)|M~Department~@s20@",
    .update = "UpdateVPH",
    .editTip = "Review or make changes to the highlighted record",
    .phones = kCompanyPhones,
};

const WindowDecl& kBrowseVPH = declarePhoneList(kShape);

}  // namespace

void BrowseVPH(std::string_view) {
    runPhoneList(kBrowseVPH, kShape);
}

}  // namespace bb
