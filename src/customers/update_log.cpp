// "Update Customer Notes": one note of a customer, of one of three kinds: a
// routine note, a suspense note with its follow-up date, or an annual event
// with its month and day; its text on a page of its own.
#include "customers/note_texts.h"
#include "customers/notes.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/text.h"
#include "reports/month_choices.h"
#include "reports/report_lines.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kNotePad = "Note Pad";
constexpr std::string_view kHeading = "Customer";
constexpr TextVariable kRepresentativeLine{"RepresentativeLine", 32};
// A suspense note comes up for follow-up a month after it was written.
constexpr int kFollowUpDays = 30;

std::vector<FieldDecl> generalFields() {
    return {
        {.kind = ControlKind::Display,
         .local = kRepresentativeLine,
         .name = "Representative",
         .tab = kGeneral},
        {.kind = ControlKind::DateSpin,
         .field = LOG::DATE,
         .prompt = "&Date:",
         .picture = "@d2",
         .message = "Today's date",
         .tab = kGeneral,
         .ditto = true},
        {.field = LOG::SUBJECT,
         .prompt = "&Subject:",
         .picture = "@s25",
         .message = "Subject of this record",
         .tab = kGeneral,
         .ditto = true},
        {.kind = ControlKind::Option,
         .field = LOG::SUSPEND,
         .prompt = "Entry Type",
         .tab = kGeneral,
         .ditto = true,
         .radios = {{.text = "&Routine Notes",
                     .value = kRoutineNote,
                     .message = "Keep a record of routine notes for this customer"},
                    {.text = "Sus&pense Date",
                     .value = kSuspenseNote,
                     .message = "Record information and refer to it for follow-up"},
                    {.text = "&Annual Event",
                     .value = kAnnualEvent,
                     .message = "Keep a record of birthdays, anniversaries, etc."}}},
        {.kind = ControlKind::DateSpin,
         .field = LOG::DATE2,
         .prompt = "Follow-&up Date:",
         .picture = "@d2",
         .message = "Date to follow-up",
         .tab = kGeneral,
         .ditto = true},
        {.kind = ControlKind::DropList,
         .field = LOG::MONTHTEXT,
         .prompt = "Event &Month:",
         .message = "Select the month of the event",
         .tab = kGeneral,
         .ditto = true,
         .radios = monthChoices()},
        {.field = LOG::DAYOFMONTH,
         .prompt = "Event Da&y:",
         .picture = "@n2",
         .message = "Enter the day of the month",
         .tab = kGeneral,
         .ditto = true},
    };
}

std::vector<FieldDecl> noteFields() {
    std::vector<FieldDecl> fields{
        {.kind = ControlKind::Display, .field = MBR::MEMBERNAME, .name = kHeading, .heavy = true}};
    for (FieldDecl& field : generalFields()) fields.push_back(std::move(field));
    fields.push_back({.kind = ControlKind::Display,
                      .field = LOG::DATE,
                      .name = "Note date",
                      .picture = "@d2",
                      .tab = kNotePad});
    fields.push_back({.kind = ControlKind::Display,
                      .field = LOG::SUBJECT,
                      .name = "Note subject",
                      .tab = kNotePad,
                      .beside = true});
    fields.push_back({.kind = ControlKind::TextArea,
                      .field = LOG::NOTES,
                      .prompt = "&Note Text:",
                      .message = "Enter information for this note",
                      .tab = kNotePad,
                      .ditto = true,
                      .lines = 10});
    return fields;
}

const WindowDecl& kUpdateLOG = declareWindow({
    .procedure = "UpdateLOG",
    .caption = "Update Customer Notes",
    .recordsName = true,
    .primary = FileId::Log,
    .files = {FileId::Members, FileId::Representatives},
    .locals = {kRepresentativeLine},
    .fields = noteFields(),
    .buttons = {{.text = "&OK", .role = ButtonRole::Ok, .message = "Save changes and exit"},
                {.text = "&Cancel",
                 .role = ButtonRole::Cancel,
                 .message = "Do not save changes and exit"}},
});

class UpdateLOGWindow final : public WindowManager {
public:
    UpdateLOGWindow() : WindowManager(kUpdateLOG) {}

    void SeedNewRecord() override {
        const DayNumber today = Clock::today();
        LOG::DATE2.set(today + kFollowUpDays);
        (void)LOG::DAYOFMONTH.set(Decimal(dayOf(today)));
        LOG::MONTHTEXT.set(monthName(monthOf(today)));
        LOG::REPRESENTATIVENUMBER.set(MBR::REPRESENTATIVENUMBER.get());
        LOG::SUSPEND.set(kRoutineNote);
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        fetchRepresentative(LOG::REPRESENTATIVENUMBER.get());
        Set(kRepresentativeLine, representativeLine());
        const bool suspense = text::equal(LOG::SUSPEND.get(), kSuspenseNote);
        const bool annual = text::equal(LOG::SUSPEND.get(), kAnnualEvent);
        Enable(LOG::DATE2, suspense);
        Enable(LOG::MONTHTEXT, annual);
        Enable(LOG::DAYOFMONTH, annual);
    }

    int OnAccepted() override {
        const QWidget* control = CurrentEvent().control;
        if (control && control == Control(LOG::MONTHTEXT)) {
            deriveMonthCode();
        } else if (control && control == Control(LOG::NOTES)) {
            LOG::NOTESTRING.set(noteSummary(LOG::NOTES.get()));
        } else if (control && control == Control(LOG::DAYOFMONTH)) {
            dayRefused_ = !dayKeepsItsRule();
            if (dayRefused_) return LevelHandled;
        }
        return WindowManager::OnAccepted();
    }

    bool CheckFields() override {
        // A day the file's rule refused stops the save: the user was told.
        if (annual() && dayRefused_) {
            Select(Control(LOG::DAYOFMONTH));
            return false;
        }
        if (text::isBlank(LOG::SUBJECT.get()))
            return Refuse(LOG::SUBJECT, "Subject Required", "     Enter a subject for this note.");
        if (LOG::DATE.get() == kNoDate)
            return Refuse(LOG::DATE, "Date Required", "     Enter the date of this note.");
        if (text::equal(LOG::SUSPEND.get(), kSuspenseNote) && LOG::DATE2.get() == kNoDate)
            return Refuse(LOG::DATE2, "Date Required",
                          "     Enter the suspense date for this note.");
        if (annual() && text::isBlank(LOG::MONTHTEXT.get()))
            return Refuse(LOG::MONTHTEXT, "Month Required",
                          "     Enter the month for this annual event.");
        if (annual() && LOG::DAYOFMONTH.get().isZero())
            return Refuse(LOG::DAYOFMONTH, "Date Required",
                          "     Enter the date of this annual event.");
        // Every note saved carries its month code and summary, also when
        // their controls were disabled or never touched.
        deriveMonthCode();
        LOG::NOTESTRING.set(noteSummary(LOG::NOTES.get()));
        return true;
    }

private:
    static bool annual() { return text::equal(LOG::SUSPEND.get(), kAnnualEvent); }

    static void deriveMonthCode() {
        (void)LOG::MONTHCODE.set(Decimal(monthFromName(LOG::MONTHTEXT.get())));
    }

    // A day of 0 is no day yet: the check on OK asks for it.
    bool dayKeepsItsRule() {
        if (LOG::DAYOFMONTH.get().isZero()) return true;
        if (PRIMARY->Me->ValidateOneField(LOG::field::DAYOFMONTH + 1) == SeverityNone) return true;
        Select(Control(LOG::DAYOFMONTH));
        return false;
    }

    bool dayRefused_ = false;
};

}  // namespace

void UpdateLOG(std::string_view) {
    runCalled<UpdateLOGWindow>();
}

}  // namespace bb
