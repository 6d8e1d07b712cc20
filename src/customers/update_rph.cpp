// The form of a representative's phone number.
#include "customers/phone_form.h"

namespace bb {
namespace {

const PhoneFormShape kShape{
    .procedure = "UpdateRPH",
    .caption = "Update Representative Phone Numbers",
    .phones = kRepresentativePhones,
    .showsContact = false,
    .priming = PhonePriming::Preferences,
};

const WindowDecl& kUpdateRPH = declarePhoneForm(kShape);

}  // namespace

void UpdateRPH(std::string_view) {
    runPhoneForm(kUpdateRPH, kShape);
}

}  // namespace bb
