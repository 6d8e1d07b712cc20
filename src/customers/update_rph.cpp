// The form of a representative's phone number.
#include "customers/phone_form.h"

namespace bb {
namespace {

const PhoneFormShape kShape{
    .procedure = "UpdateRPH",
    .caption = "Update Representative Phone Numbers",
    .file = FileId::RPhones,
    .heading = REP::REP_NAME,
    .description = RPH::DESCRIPTION,
    .number = RPH::PHONENUMBER,
    .department = RPH::DEPARTMENT,
    .extension = RPH::EXTENSION,
    .contact = std::nullopt,
    .priming = PhonePriming::Preferences,
};

}  // namespace

void UpdateRPH(std::string_view) {
    runPhoneForm(kShape);
}

}  // namespace bb
