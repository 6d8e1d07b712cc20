// Customer groups: named groups of customers (a golf club, a seminar list,
// a holiday card list) that are mailed together.
//
// `CommitteeAssignments` is the window of all groups as a tree, each
// group's members under it; customers are dragged into a group from the
// customer list (which it opens beside itself) and members dragged out of a
// group back onto the list. Only one is open at a time: asking for another
// brings the open one to the front. `UpdateCommittees` names or renames a
// group (a rename carries over to its memberships), `DeleteCommitteeMembers`
// removes one membership, and `PrintGroupMembers` prints every group with
// its members' addresses, phones, status and representative. Used from the
// GUI thread only.
#pragma once

#include <string>
#include <string_view>

namespace bb {

void CommitteeAssignments(std::string_view argument);
void UpdateCommittees(std::string_view argument);
void DeleteCommitteeMembers(std::string_view argument);
void PrintGroupMembers(std::string_view argument);

// The name a member shows under its group, from the customer in the buffer:
// a company's name and contact, or a person's first and last names.
std::string memberDisplayName();

}  // namespace bb
