// "Update Representative States": one state a representative is registered
// in, and from when. The transaction form relies on these registrations to
// refuse trades outside them.
#include <cstdint>
#include <string>

#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateRepStates = declareWindow({
    .procedure = "UpdateRepStates",
    .caption = "Update Representative States",
    .recordsName = true,
    .primary = FileId::RepStates,
    .files = {FileId::Representatives, FileId::States},
    .fields =
        {
            {.kind = ControlKind::Display, .field = REP::REP_NUM, .prompt = "Representative:"},
            {.kind = ControlKind::Display,
             .field = REP::REP_NAME,
             .name = "Representative name",
             .beside = true},
            {.kind = ControlKind::DropList,
             .field = RST::STATE,
             .prompt = "&State:",
             .message = "Select a state from the drop-down list",
             .drop = DropDecl{.file = FileId::States,
                              .key = ST::key::STATEKEY,
                              .format = "18L(1)|M~Code~@s2@80L(2)|M~Name~@s20@",
                              .columns = {ST::STATECODE, ST::STATENAME},
                              .updates = {{ST::STATECODE, RST::STATE}},
                              // A registration names its state on purpose:
                              // none is chosen for the user.
                              .defaultFill = false}},
            {.kind = ControlKind::Display,
             .field = ST::LICENSEFEE,
             .prompt = "License Fee:",
             .picture = "@n6.2"},
            {.kind = ControlKind::DateSpin,
             .field = RST::EFFECTIVEDATE,
             .prompt = "&Effective Date:",
             .picture = "@d2",
             .message = "The date this registration took effect"},
        },
    .buttons = formButtons(),
});

class UpdateRepStatesWindow : public WindowManager {
public:
    UpdateRepStatesWindow() : WindowManager(kUpdateRepStates) {}

    void SeedNewRecord() override {
        RST::EFFECTIVEDATE.set(Clock::today());
        // Only a default state that is still on file.
        const std::string& state = CTRL::DEFAULTSTATE.get();
        if (!text::isBlank(state) &&
            recordNamed(ST::STATECODE, ST::key::STATEKEY, Value::text(state)))
            RST::STATE.set(state);
    }

    int PrepareRequest() override {
        originalState_ = RST::STATE.get();
        return WindowManager::PrepareRequest();
    }

    bool CheckFields() override {
        if (Unchosen(RST::STATE))
            return Refuse(RST::STATE, "Registration State Required",
                          "     Select a state from the drop-down list");
        if (RST::EFFECTIVEDATE.get() == 0)
            return Refuse(RST::EFFECTIVEDATE, "Effective Date Required",
                          "     You must enter the effective date of this registration");
        if (registeredTwice())
            return Refuse(RST::STATE, "State Already Registered",
                          "     This representative is already registered in " +
                              std::string(text::clip(RST::STATE.get())) +
                              ". Change that registration instead.");
        return true;
    }

private:
    // A second registration in the same state would count the state's fee
    // twice in the annual renewal, and the key lets it in.
    bool registeredTwice() {
        const bool keptItsState =
            REQUEST == ChangeRequest && text::equalNoCase(RST::STATE.get(), originalState_);
        if (keptItsState) return false;
        FileManager& file = *fileManagerFor(FileId::RepStates);
        // The record being changed is saved through the file's position.
        std::uint16_t saved = file.SaveFileState();
        const bool found = file.FetchQuietly(RST::key::REPRESENTATIVENUMBERKEY) == SeverityNone;
        file.RestoreFileState(saved);
        return found;
    }

    std::string originalState_;  // as read: a change keeping it is no second registration
};

}  // namespace

void UpdateRepStates(std::string_view) {
    runCalled<UpdateRepStatesWindow>();
}

}  // namespace bb
