// The form of an account company's phone number.
#include "customers/phone_form.h"

namespace bb {
namespace {

const PhoneFormShape kShape{
    .procedure = "UpdateVPH",
    .caption = "Update Phone Numbers",
    .file = FileId::VPhones,
    .heading = VEN::VENDORNAME,
    .description = VPH::DESCRIPTION,
    .number = VPH::PHONENUMBER,
    .department = VPH::DEPARTMENT,
    .extension = VPH::EXTENSION,
    .contact = VPH::CONTACT,
    .priming = PhonePriming::TollFree,
};

}  // namespace

void UpdateVPH(std::string_view) {
    runPhoneForm(kShape);
}

}  // namespace bb
