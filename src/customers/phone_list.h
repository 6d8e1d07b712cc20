// The list of one owner's phone numbers that customers, account companies
// and representatives share: the numbers of MPhones, VPhones or RPhones
// whose owner is the record in the owner's buffer, under a heading naming
// the owner, with the highlighted number's department and extension, and
// its contact, in two lines below. Insert, Edit and Delete run the matching
// phone form.
//
// Each variant's procedure (BrowseMPH, BrowseVPH, BrowseRPH) describes its
// window with a PhoneListShape, declares it with declarePhoneList and runs
// the list with runPhoneList; the list is called (modal) by the owner's
// window. Used from the GUI thread only.
#pragma once

#include <string>
#include <string_view>

#include "customers/phone_files.h"
#include "ui/window_decl.h"

namespace bb {

struct PhoneListShape {
    std::string_view procedure;
    std::string_view caption;
    std::string_view format;   // Location, Number and Department columns
    std::string_view update;   // the phone form's procedure
    std::string_view editTip;  // the Edit button's message
    const PhoneFile& phones;
};

// The window of `shape`, declared for the run.
const WindowDecl& declarePhoneList(const PhoneListShape& shape);
// Runs the list `list` declared for `shape`, which must outlive it;
// LastResponse gets its response.
void runPhoneList(const WindowDecl& list, const PhoneListShape& shape);

// "Sales Ext: 221", "Sales", "Ext: 221" or empty, from a department and an
// extension.
std::string extensionLine(std::string_view department, std::string_view extension);
// "Contact: Jane Doe", or empty for no contact.
std::string contactLine(std::string_view contact);

// The variants, each in the source unit named after it.
void BrowseMPH(std::string_view argument);
void BrowseVPH(std::string_view argument);
void BrowseRPH(std::string_view argument);

}  // namespace bb
