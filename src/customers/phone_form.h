// The phone number form that customers, account companies and
// representatives share: one record of MPhones, VPhones or RPhones (files
// of the same shape), under a heading naming its owner. A new number is
// primed from the preferences (or with the toll-free prefix for account
// companies), and OK refuses a number without a type or with fewer than
// seven digits.
//
// Each variant's procedure (UpdateMPH, UpdateVPH, UpdateRPH) describes its
// window with a PhoneFormShape, declares it with declarePhoneForm and runs
// the form with runPhoneForm. Called
// (modal) with the request in PendingRequest. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <string_view>

#include "customers/phone_files.h"
#include "ui/window_decl.h"

namespace bb {

// How a new phone record's number and type are primed.
enum class PhonePriming : std::uint8_t {
    Preferences,  // the default area code and phone type of the preferences
    TollFree,     // 800 000-0000, an office phone
};

struct PhoneFormShape {
    std::string_view procedure;
    std::string_view caption;
    const PhoneFile& phones;
    bool showsContact = true;  // the representatives' form has no contact
    PhonePriming priming = PhonePriming::Preferences;
};

// The window of `shape`, declared for the run.
const WindowDecl& declarePhoneForm(const PhoneFormShape& shape);
// Runs the form `form` declared for `shape`, which must outlive it;
// LastResponse gets its response.
void runPhoneForm(const WindowDecl& form, const PhoneFormShape& shape);

// The variants, each in the source unit named after it.
void UpdateMPH(std::string_view argument);
void UpdateVPH(std::string_view argument);
void UpdateRPH(std::string_view argument);

}  // namespace bb
