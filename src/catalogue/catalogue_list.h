// What the three levels of the security catalogue (categories, the
// investments of a category, the products of an investment) share: a
// "&Select" that refuses on an empty list, and in a lookup completes the
// selection while in maintenance it opens the level below; and, for the
// levels below the top, the owner's number and name taken when the list
// opens and kept, whatever another window later reads into the owner's
// buffer. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "dictionary/process_values.h"
#include "reference/headed_list.h"

namespace bb {

inline constexpr NumberVariable kOwnerNumber{"OwnerNumber"};
inline constexpr TextVariable kOwnerName{"OwnerName", 40};

struct CatalogueLevel {
    TextField name;              // blank in the buffer of an empty list
    std::string_view emptyText;  // why "&Select" refuses on an empty list
    std::string_view below{};    // the procedure "&Select" opens in maintenance; empty: none
    // The owner: its number and name fields, read when the list opens, and
    // the field of a new record that names it.
    std::optional<IntegerField> ownerNumber{};
    std::optional<TextField> ownerName{};
    std::optional<IntegerField> ownedBy{};
};

// The window variables a level with an owner declares, and its heading line.
std::vector<LocalDecl> ownerLocals();
FieldDecl ownerField();

class CatalogueList : public HeadedList {
public:
    CatalogueList(const WindowDecl& decl, std::string_view heading, const CatalogueLevel& level)
        : HeadedList(decl, heading), level_(level) {}

    void SetupControls() override;
    int OnAccepted() override;
    int CallProcedure(std::string_view procedure, int request) override;

protected:
    bool Lookup() const { return REQUEST == SelectRequest; }

private:
    void choose();

    const CatalogueLevel& level_;
    std::int32_t owner_ = 0;  // the owner's number as the list opened
};

// A lookup's first step: runs `above` with SelectRequest to choose the
// owner. False when the user cancelled there (LastResponse says so); else
// the request is pending again for the level's own list.
bool ownerChosen(std::string_view above);

}  // namespace bb
