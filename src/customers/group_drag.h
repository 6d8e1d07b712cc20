// What the customer list and the customer groups window agree on to move
// customers into and out of groups by dragging.
#pragma once

#include <string_view>

namespace bb {

// A customer dragged from the customer list into a group.
inline constexpr std::string_view kMemberDrag = "Member";
// A member dragged out of a group onto the customer list.
inline constexpr std::string_view kGroupMemberDrag = "CommitteeMbr";
// The groups window's Delete Record command, which the customer list posts
// when a member is dropped on it: it removes the member dragged.
inline constexpr int kDeleteGroupMember = 500;

}  // namespace bb
