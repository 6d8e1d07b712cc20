// "Customer Groups": every customer group with its members, each with the
// address, phones, status, classification and representative. The groups
// drive the report, so a group without members still prints its name.
#include <memory>
#include <string>

#include "customers/customer_groups.h"
#include "platform/date.h"
#include "platform/text.h"
#include "reporting/owner_process.h"
#include "reporting/report_manager.h"
#include "reports/report_lines.h"
#include "ui/window.h"

namespace bb {
namespace {

enum Font : int { kBody = 0, kTitle = 1, kHeavy = 2 };

// Where the parts stand (thousandths of an inch).
constexpr Mils kLine = 190;
constexpr Mils kIndent = 300;
constexpr Mils kRightColumn = 4300;
constexpr Mils kPhoneNumber = 1500;
constexpr std::int16_t kZoom = 75;

const WindowDecl& kPrintGroupMembers = declareWindow({
    .procedure = "PrintGroupMembers",
    .caption = "Progress... Customer Groups",
    .files = {FileId::Committees, FileId::Commbrs, FileId::Members, FileId::MPhones,
              FileId::Representatives},
    .fields = {{.kind = ControlKind::Slot, .name = "Progress"}},
    .buttons = {{.text = "&Cancel", .role = ButtonRole::Cancel}},
});

// "First M. Last" for a person, the company's name for a company.
std::string nameLine() {
    if (text::equal(MBR::MEMBERTYPE.get(), "Company"))
        return std::string(text::clip(MBR::COMPANYNAME.get()));
    std::string line = std::string(text::clip(MBR::FIRSTNAME.get())) + " ";
    if (const std::string_view initial = text::clip(MBR::MIDDLENAME.get()); !initial.empty())
        line += std::string(initial) + ". ";
    return line + std::string(text::clip(MBR::LASTNAME.get()));
}

std::string cityLine() {
    if (text::equal(MBR::FOREIGN.get(), "I")) return MBR::COUNTRY.get();
    return std::string(text::clip(MBR::CITY.get())) + ", " + MBR::STATE.get() + "  " +
           MBR::ZIPCODE.get();
}

// The second and third address lines: the city moves up when there is no
// second street line.
std::string addressLine(int line) {
    const bool second = !text::isBlank(MBR::ADDRESS2.get());
    if (line == 2) return second ? MBR::ADDRESS2.get() : cityLine();
    return second ? cityLine() : std::string();
}

std::string statusLine() {
    return std::string(MBR::ACTIVE.get() == 1 ? "Active / " : "Inactive / ") +
           MBR::SALESLEVEL.get();
}

ValueSource textOf(std::string (*compute)()) {
    return [compute] { return Value::text(compute()); };
}

// Half a line between one customer and the phones of the one before.
Band customerBand(Mils width) {
    const Mils left = kRightColumn - kIndent - 100;
    const Mils right = width - kRightColumn;
    const Mils top = kLine / 2;
    Band band;
    band.add(Item::Field(kIndent, top, left, textOf(nameLine)).in(kHeavy))
        .add(Item::Field(kIndent, top + kLine, left, MBR::ADDRESS))
        .add(
            Item::Field(kIndent, top + 2 * kLine, left, [] { return Value::text(addressLine(2)); }))
        .add(
            Item::Field(kIndent, top + 3 * kLine, left, [] { return Value::text(addressLine(3)); }))
        .add(Item::Field(kRightColumn, top, right, textOf(statusLine)))
        .add(Item::Field(kRightColumn, top + kLine, right, textOf(representativeLine)));
    band.height = top + 4 * kLine;
    return band;
}

ReportLayout groupsLayout() {
    ReportLayout r;
    r.title = "Customer Groups";
    r.fonts = {ReportFont{"DejaVu Sans", 10}, ReportFont{"DejaVu Sans", 14, true},
               ReportFont{"DejaVu Sans", 10, true}};
    r.pageHeader.add(Item::Text(0, 0, r.bodyWidth(), r.title).center().in(kTitle))
        .add(Item::Text(0, 2 * kLine, 0, "Name/Address/Phone").in(kHeavy))
        .add(Item::Text(kRightColumn, 2 * kLine, 0, "Status/Class/Representative").in(kHeavy))
        .add(Item::Rule(0, 3 * kLine, r.bodyWidth()));
    r.pageHeader.height = 4 * kLine;
    Band group;
    group.add(Item::Field(0, kLine / 2, r.bodyWidth(), COM::COMMITTEE).in(kHeavy));
    group.height = 2 * kLine;
    r.details = {
        group, customerBand(r.bodyWidth()),
        Band()
            .add(Item::Field(kIndent, 0, kPhoneNumber - kIndent, MPH::DESCRIPTION))
            .add(Item::Field(kPhoneNumber, 0, 2000, MPH::PHONENUMBER, "@p(###) ###-####p"))};
    r.pageFooter.add(Item::Rule(0, 0, r.bodyWidth(), 0, 5))
        .add(Item::Field(0, 60, 3000, [] { return Value::text(longDate(Clock::today())); }))
        .add(Item::PageNumber(0, 60, r.bodyWidth(), "Page ").right());
    return r;
}

// Each group, then each of its members with the member's phones.
class GroupMembersProcess final : public OwnerProcess {
public:
    void SetupChildren() {
        CHILDREN.Setup({FileId::Commbrs, {{FileId::Members, 0, true}}},
                       *relationManagerFor(FileId::Commbrs));
        CHILDREN.DefineSortOrder(CMBRS::key::COMMITTEEKEY);
        CHILDREN.DefineRange(CMBRS::key::COMMITTEEKEY, *relationManagerFor(FileId::Commbrs),
                             *relationManagerFor(FileId::Committees));
        phones_.Setup({FileId::MPhones, {}}, *relationManagerFor(FileId::MPhones));
        phones_.DefineSortOrder(MPH::key::KEYMEMBERNUMBER);
        phones_.DefineRange(MPH::MEMBERNUMBER.index(),
                            [] { return Value::number(MBR::MEMBERNUMBER.get()); });
    }

    Severity PrintChild() override {
        fetchRepresentative(MBR::REPRESENTATIVENUMBER.get());
        if (const Severity printed = REPORT->Print(1); printed != SeverityNone) return printed;
        if (phones_.Open() != SeverityNone) return SeverityFatal;
        phones_.ApplyRangeLimit();
        if (phones_.Reset(0) != SeverityNone) return SeverityFatal;
        while (phones_.Next() == SeverityNone) {
            if (const Severity printed = REPORT->Print(2); printed != SeverityNone) return printed;
        }
        return SeverityNone;
    }

    void Teardown() override {
        phones_.Teardown();
        OwnerProcess::Teardown();
    }

private:
    ViewManager phones_;
};

class GroupMembersReport final : public ReportManager {
public:
    GroupMembersReport() : ReportManager(kPrintGroupMembers) {}

    int Setup() override {
        if (const int refused = ReportManager::Setup(); refused != 0) return refused;
        report_ = std::make_unique<BandReport>(groupsLayout());
        process_.REPORT = report_.get();
        process_.Setup({FileId::Committees, {}}, *relationManagerFor(FileId::Committees),
                       ProgressControl(), 0, &PERCENT);
        process_.DefineSortOrder(COM::key::COMMITTEEKEY);
        process_.SetupChildren();
        ReportManager::Setup(process_, report_.get(), &preview_);
        ZOOM = kZoom;
        return 0;
    }

private:
    GroupMembersProcess process_;
    std::unique_ptr<BandReport> report_;
    PrintPreviewer preview_;
};

}  // namespace

void PrintGroupMembers(std::string_view) {
    startWindow(std::make_unique<GroupMembersReport>());
}

}  // namespace bb
