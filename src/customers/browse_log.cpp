// "Customer Notes": a customer's notes, newest first, with the highlighted
// note's summary and representative below the list.
#include <memory>

#include "customers/note_rows.h"
#include "customers/note_texts.h"
#include "customers/notes.h"
#include "dictionary/process_values.h"
#include "reports/report_lines.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kList = "Notes";
constexpr std::string_view kHeading = "Customer";
constexpr NumberVariable kCustomer{"CustomerNumber"};
constexpr TextVariable kRepresentativeLine{"RepresentativeLine", 32};
constexpr TextVariable kSummary{"Summary", 60};

const WindowDecl& kBrowseLOG = declareWindow({
    .procedure = "BrowseLOG",
    .caption = "Customer Notes",
    .recordsName = true,
    .files = {FileId::Members},
    .locals = {kCustomer, kSummary, kRepresentativeLine},
    .fields =
        {
            {.kind = ControlKind::Display,
             .field = MBR::MEMBERNAME,
             .name = kHeading,
             .heavy = true},
            {.kind = ControlKind::List,
             .name = kList,
             .list = ListDecl{.file = FileId::Log,
                              .joins = {{FileId::Representatives}},
                              .format = "46R(2)|M~Date~C(0)@d2@35L(2)~Type~@s8@75R(2)|M@s18@"
                                        "108L(2)|M~Subject~@s25@",
                              // The type and the date or event are computed per row.
                              .columns = {LOG::DATE, LOG::SUSPEND, LOG::NOTESTRING, LOG::SUBJECT},
                              .orders = {{.key = LOG::key::MEMBERKEY,
                                          .range = {.kind = SingleValue,
                                                    .field = LOG::MEMBERNUMBER,
                                                    .limit = {.local = kCustomer.name()}}}},
                              .update = "UpdateLOG",
                              .print = "PrintLOG",
                              .hideSelect = true}},
            {.kind = ControlKind::Display, .local = kSummary, .name = kSummary},
            {.kind = ControlKind::Display, .local = kRepresentativeLine, .name = "Representative"},
        },
    .buttons =
        {
            {.text = "&Insert", .role = ButtonRole::Insert, .message = "Add a new note"},
            {.text = "&Edit",
             .role = ButtonRole::Change,
             .message = "Review or make changes to the highlighted note"},
            {.text = "&Delete",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted note"},
            {.text = "&Print",
             .role = ButtonRole::Print,
             .message = "Print a copy of the highlighted log record"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
        },
});

class BrowseLOGWindow final : public WindowManager {
public:
    BrowseLOGWindow() : WindowManager(kBrowseLOG) {}

    // The list keeps to the customer it opened for, whatever the buffer
    // holds later.
    void SetupControls() override {
        Set(kCustomer, std::int64_t{MBR::MEMBERNUMBER.get()});
        WindowManager::SetupControls();
    }

    std::unique_ptr<BrowseManager> CreateBrowse(const FieldDecl&) override {
        return std::make_unique<NoteRows>(NoteRows::Computed{{1, noteKindText}, {2, noteWhenText}});
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kList)->Records() > 0;
        Set(kSummary, any ? LOG::NOTESTRING.get() : std::string());
        Set(kRepresentativeLine, any ? representativeLine() : std::string());
    }
};

}  // namespace

void BrowseLOG(std::string_view) {
    runCalled<BrowseLOGWindow>();
}

}  // namespace bb
