// The three phone files of one shape (MPhones for customers, VPhones for
// account companies, RPhones for representatives): each described once, with
// the owner whose numbers it keeps, for the phone lists and forms to share.
// Constant data; used from the GUI thread only.
#pragma once

#include "dictionary/files.h"

namespace bb {

struct PhoneFile {
    FileId file;
    int key;              // owner, type descending, number
    FieldRef owner;       // the phone's owner number
    FieldRef ownerValue;  // the owner's own number, in its buffer
    FieldRef heading;     // the owner's name
    TextField description;
    TextField number;
    TextField department;
    TextField extension;
    TextField contact;
};

inline constexpr PhoneFile kCustomerPhones{
    .file = FileId::MPhones,
    .key = MPH::key::KEYMEMBERNUMBER,
    .owner = MPH::MEMBERNUMBER,
    .ownerValue = MBR::MEMBERNUMBER,
    .heading = MBR::MEMBERNAME,
    .description = MPH::DESCRIPTION,
    .number = MPH::PHONENUMBER,
    .department = MPH::DEPARTMENT,
    .extension = MPH::EXTENSION,
    .contact = MPH::CONTACT,
};

inline constexpr PhoneFile kCompanyPhones{
    .file = FileId::VPhones,
    .key = VPH::key::KEYVENDORNUMBER,
    .owner = VPH::VENDORNUMBER,
    .ownerValue = VEN::VENDORNUMBER,
    .heading = VEN::VENDORNAME,
    .description = VPH::DESCRIPTION,
    .number = VPH::PHONENUMBER,
    .department = VPH::DEPARTMENT,
    .extension = VPH::EXTENSION,
    .contact = VPH::CONTACT,
};

inline constexpr PhoneFile kRepresentativePhones{
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

}  // namespace bb
