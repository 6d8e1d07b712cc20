// The form of a customer's phone number.
#include "customers/phone_form.h"

namespace bb {
namespace {

const PhoneFormShape kShape{
    .procedure = "UpdateMPH",
    .caption = "Update Phone Number",
    .phones = kCustomerPhones,
    .priming = PhonePriming::Preferences,
};

const WindowDecl& kUpdateMPH = declarePhoneForm(kShape);

}  // namespace

void UpdateMPH(std::string_view) {
    runPhoneForm(kUpdateMPH, kShape);
}

}  // namespace bb
