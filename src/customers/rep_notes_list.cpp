#include "customers/rep_notes_list.h"

#include <memory>

#include "dictionary/process_values.h"
#include "reports/report_lines.h"
#include "ui/browse_manager.h"
#include "ui/procedures.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kList = "Notes";
constexpr NumberVariable kRepresentative{"Representative"};
constexpr TextVariable kRepresentativeLine{"RepresentativeLine", 32};
constexpr TextVariable kSummary{"Summary", 60};
// The list's own copies of the report parameters, under the same names, so
// that its filter keeps reading the values it opened with.
constexpr NumberVariable kStartDate{"StartDate", T_DATE};
constexpr NumberVariable kEndDate{"EndDate", T_DATE};
constexpr NumberVariable kMonth{"BirthMonthShort", T_SHORT};

WindowDecl listDecl(const RepNotesShape& shape) {
    return WindowDecl{
        .procedure = shape.procedure,
        .caption = shape.caption,
        .recordsName = true,
        .files = {FileId::Representatives},
        .locals = {kRepresentative, kRepresentativeLine, kSummary, kStartDate, kEndDate, kMonth},
        .fields =
            {
                {.kind = ControlKind::Display,
                 .local = kRepresentativeLine,
                 .name = "Representative",
                 .heavy = true},
                {.kind = ControlKind::List,
                 .name = kList,
                 .list = ListDecl{.file = FileId::Log,
                                  .joins = {{FileId::Members}},
                                  .format = shape.format,
                                  .columns = shape.columns,
                                  .orders = {{.key = shape.key,
                                              .range = {.kind = SingleValue,
                                                        .field = LOG::REPRESENTATIVENUMBER,
                                                        .limit = {.local = kRepresentative.name()}},
                                              .filter = shape.filter}},
                                  .print = shape.print,
                                  .hideSelect = true}},
                {.kind = ControlKind::Display, .local = kSummary, .name = kSummary},
            },
        .buttons = {{.text = "&Print",
                     .role = ButtonRole::Print,
                     .message = "Print the notes listed"},
                    {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"}},
    };
}

class RepNotesList final : public WindowManager {
public:
    RepNotesList(const WindowDecl& decl, const RepNotesShape& shape)
        : WindowManager(decl), shape_(shape) {}

    void SetupControls() override {
        const ProcessValues& values = processValues();
        Set(kRepresentative, std::int64_t{REP::REPRESENTATIVENUMBER.get()});
        Set(kRepresentativeLine, representativeLine());
        Set(kStartDate, std::int64_t{values.StartDate});
        Set(kEndDate, std::int64_t{values.EndDate});
        Set(kMonth, std::int64_t{values.BirthMonthShort});
        WindowManager::SetupControls();
    }

    std::unique_ptr<BrowseManager> CreateBrowse(const FieldDecl&) override {
        return std::make_unique<NoteRows>(shape_.computed);
    }

    void Open() override {
        WindowManager::Open();
        if (Browse(kList)->Records() > 0) return;
        Announce("Representative/Date Selection",
                 "There are no records to display for this Representative");
        Post(EventKind::CloseWindow);
    }

    // The printout prints what the list shows: the list's dates and month.
    int OnAccepted() override {
        if (CurrentEvent().control && CurrentEvent().control == ButtonOf(ButtonRole::Print)) {
            ProcessValues& values = processValues();
            values.StartDate = static_cast<std::int32_t>(Get(kStartDate));
            values.EndDate = static_cast<std::int32_t>(Get(kEndDate));
            values.BirthMonthShort = static_cast<std::int32_t>(Get(kMonth));
        }
        return WindowManager::OnAccepted();
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kList)->Records() > 0;
        Set(kSummary, any ? LOG::NOTESTRING.get() : std::string());
    }

private:
    const RepNotesShape& shape_;
};

}  // namespace

const WindowDecl& declareRepNotesList(const RepNotesShape& shape) {
    return declareWindow(listDecl(shape));
}

void runRepNotesList(const WindowDecl& list, const RepNotesShape& shape) {
    processValues().CurrentProcedure.set(shape.procedure);
    if (procedures().call(shape.request, NoRequest, shape.procedure) != ResponseCompleted) return;
    startWindow(std::make_unique<RepNotesList>(list, shape));
}

}  // namespace bb
