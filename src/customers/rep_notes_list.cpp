#include "customers/rep_notes_list.h"

#include <map>
#include <memory>

#include "dictionary/process_values.h"
#include "reports/report_lines.h"
#include "ui/browse_manager.h"
#include "ui/procedures.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

constexpr std::string_view kList = "Notes";
constexpr std::string_view kRepresentative = "Representative";
constexpr std::string_view kRepresentativeLine = "RepresentativeLine";
constexpr std::string_view kSummary = "Summary";
// The list's own copies of the report parameters, under the same names, so
// that its filter keeps reading the values it opened with.
constexpr std::string_view kStartDate = "StartDate";
constexpr std::string_view kEndDate = "EndDate";
constexpr std::string_view kMonth = "BirthMonthShort";

WindowDecl listDecl(const RepNotesShape& shape) {
    return WindowDecl{
        .procedure = shape.procedure,
        .caption = shape.caption,
        .recordsName = true,
        .files = {FileId::Representatives},
        .locals = {{kRepresentative, T_LONG},
                   {kRepresentativeLine, T_STRING(32)},
                   {kSummary, T_STRING(60)},
                   {kStartDate, T_DATE},
                   {kEndDate, T_DATE},
                   {kMonth, T_SHORT}},
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
                                                        .limit = {.local = kRepresentative}},
                                              .filter = shape.filter}},
                                  .print = shape.print,
                                  .hideSelect = true}},
                {.kind = ControlKind::Display, .local = kSummary, .name = kSummary},
            },
        .buttons = {{.text = "&Print",
                     .role = ButtonRole::Print,
                     .message = "Print the notes listed"},
                    {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"}},
        .procedures = {shape.print},
    };
}

const WindowDecl& declFor(const RepNotesShape& shape) {
    static std::map<std::string_view, WindowDecl> decls;
    auto found = decls.find(shape.procedure);
    if (found == decls.end()) found = decls.emplace(shape.procedure, listDecl(shape)).first;
    return found->second;
}

class RepNotesList final : public WindowManager {
public:
    explicit RepNotesList(const RepNotesShape& shape)
        : WindowManager(declFor(shape)), shape_(shape) {}

    void SetupControls() override {
        const ProcessValues& values = processValues();
        SetLocal(kRepresentative, Value::number(REP::REPRESENTATIVENUMBER.get()));
        SetLocal(kRepresentativeLine, Value::text(representativeLine()));
        SetLocal(kStartDate, Value::number(values.StartDate));
        SetLocal(kEndDate, Value::number(values.EndDate));
        SetLocal(kMonth, Value::number(values.BirthMonthShort));
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
            values.StartDate = static_cast<std::int32_t>(Local(kStartDate).toNumber().toInt64());
            values.EndDate = static_cast<std::int32_t>(Local(kEndDate).toNumber().toInt64());
            values.BirthMonthShort = static_cast<std::int32_t>(Local(kMonth).toNumber().toInt64());
        }
        return WindowManager::OnAccepted();
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kList)->Records() > 0;
        SetLocal(kSummary, Value::text(any ? LOG::NOTESTRING.get() : std::string()));
        Display();
    }

private:
    const RepNotesShape& shape_;
};

}  // namespace

void runRepNotesList(const RepNotesShape& shape) {
    processValues().CurrentProcedure.set(shape.procedure);
    if (procedures().call(shape.request, NoRequest, shape.procedure) != ResponseCompleted) return;
    startWindow(std::make_unique<RepNotesList>(shape));
}

}  // namespace bb
