// The form of a customer's phone number.
#include "customers/phone_form.h"

namespace bb {
namespace {

const PhoneFormShape kShape{
    .procedure = "UpdateMPH",
    .caption = "Update Phone Number",
    .file = FileId::MPhones,
    .heading = MBR::MEMBERNAME,
    .description = MPH::DESCRIPTION,
    .number = MPH::PHONENUMBER,
    .department = MPH::DEPARTMENT,
    .extension = MPH::EXTENSION,
    .contact = MPH::CONTACT,
    .priming = PhonePriming::Preferences,
};

}  // namespace

void UpdateMPH(std::string_view) {
    runPhoneForm(kShape);
}

}  // namespace bb
