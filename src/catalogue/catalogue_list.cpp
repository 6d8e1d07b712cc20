#include "catalogue/catalogue_list.h"

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/procedures.h"

namespace bb {

std::vector<LocalDecl> ownerLocals() {
    return {kOwnerNumber, kOwnerName};
}

FieldDecl ownerField() {
    return {.kind = ControlKind::Display, .local = kOwnerName, .name = "Owner", .heavy = true};
}

void CatalogueList::SetupControls() {
    // The owner is read once: the list stays its owner's, whatever the
    // owner's buffer holds later.
    if (level_.ownerNumber) {
        owner_ = level_.ownerNumber->get();
        Set(kOwnerNumber, std::int64_t{owner_});
    }
    if (level_.ownerName) Set(kOwnerName, level_.ownerName->get());
    HeadedList::SetupControls();
}

int CatalogueList::OnAccepted() {
    // The maintenance of the products has no "&Select": its list is the last level.
    if (const ButtonDecl* pressed = PressedButton(); pressed && pressed->name == "Select") {
        choose();
        return LevelHandled;
    }
    return HeadedList::OnAccepted();
}

int CatalogueList::CallProcedure(std::string_view procedure, int request) {
    // A record added from an order without the owner's range would belong
    // to no one.
    if (request == InsertRequest && level_.ownedBy) level_.ownedBy->set(owner_);
    return HeadedList::CallProcedure(procedure, request);
}

void CatalogueList::choose() {
    if (Browse()->Records() > 0) Update();
    if (Browse()->Records() == 0 || text::isBlank(level_.name.get())) {
        Announce("Insert Record Required", level_.emptyText);
        return;
    }
    if (Lookup()) {
        EndWith(ResponseCompleted);
        return;
    }
    if (level_.below.empty()) return;
    CallProcedure(level_.below, ProcessRequest);
    Reset(true);
}

bool ownerChosen(std::string_view above) {
    if (procedures().call(above, SelectRequest) != ResponseCompleted) {
        processValues().LastResponse = ResponseCancelled;
        return false;
    }
    processValues().PendingRequest = SelectRequest;
    return true;
}

}  // namespace bb
