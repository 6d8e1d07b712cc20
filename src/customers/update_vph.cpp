// The form of an account company's phone number.
#include "customers/phone_form.h"

namespace bb {
namespace {

const PhoneFormShape kShape{
    .procedure = "UpdateVPH",
    .caption = "Update Phone Numbers",
    .phones = kCompanyPhones,
    .priming = PhonePriming::TollFree,
};

const WindowDecl& kUpdateVPH = declarePhoneForm(kShape);

}  // namespace

void UpdateVPH(std::string_view) {
    runPhoneForm(kUpdateVPH, kShape);
}

}  // namespace bb
