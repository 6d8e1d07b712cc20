// The list of a representative's phone numbers.
#include "customers/phone_list.h"

namespace bb {
namespace {

const PhoneListShape kShape{
    .procedure = "BrowseRPH",
    .caption = "Representative Phone Numbers",
    // The number's column holds the whole of its picture, (###) ###-####.
    .format = "47L(2)|M~Location~@s10@80L(2)|M~Number~@p(###) ###-####p@80L(2)|M~Department~@s20@",
    .update = "UpdateRPH",
    .editTip = "Make changes to the highlighted record",
    .phones = kRepresentativePhones,
};

const WindowDecl& kBrowseRPH = declarePhoneList(kShape);

}  // namespace

void BrowseRPH(std::string_view) {
    runPhoneList(kBrowseRPH, kShape);
}

}  // namespace bb
