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
    .file = FileId::RPhones,
    .key = RPH::key::REPRESENTATIVENUMBERKEY,
    .owner = RPH::REPRESENTATIVENUMBER,
    .ownerValue = REP::REPRESENTATIVENUMBER,
    .heading = REP::REP_NAME,
    .description = RPH::DESCRIPTION,
    .number = RPH::PHONENUMBER,
    .department = RPH::DEPARTMENT,
    .extension = RPH::EXTENSION,
    .contact = RPH::CONTACT,
};

}  // namespace

void BrowseRPH(std::string_view) {
    runPhoneList(kShape);
}

}  // namespace bb
