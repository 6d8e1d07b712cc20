// "Customer Groups": every customer group as a tree, each group's members
// under it. Customers dragged from the customer list onto a group join it;
// members dragged out onto the list leave it.
#include <QTreeWidget>
#include <charconv>
#include <optional>
#include <string>

#include "customers/customer_groups.h"
#include "customers/group_drag.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/clock_texts.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "ui/drag_link.h"
#include "ui/frame_services.h"
#include "ui/procedures.h"
#include "ui/scoped_value.h"
#include "ui/tree_list.h"
#include "ui/window.h"
#include "ui/window_ids.h"
#include "ui/window_post.h"

namespace bb {
namespace {

constexpr std::string_view kTree = "Customer groups";
constexpr std::string_view kGroupMemberDragTip = "Drag customer out of group";
// The clock in the status bar moves on every second.
constexpr int kClockHundredths = 100;
constexpr int kDateZone = 3;
constexpr int kTimeZone = 4;

ButtonDecl button(std::string_view text, std::string_view name, std::string_view tip,
                  std::string_view icon = {}) {
    return {.text = text, .name = name, .tip = tip, .message = tip, .icon = icon};
}

const WindowDecl& kCommitteeAssignments = declareWindow({
    .procedure = "CommitteeAssignments",
    .caption = "Customer Groups",
    .icon = "Customer.ico",
    .recordsName = true,
    .statusZones = kTimeZone,
    .files = {FileId::Committees, FileId::Commbrs, FileId::Members},
    .fields = {{.kind = ControlKind::Tree,
                .name = kTree,
                .message = "Drag from customer list into a group",
                .tree = TreeDecl{.file = FileId::Committees,
                                 .key = COM::key::COMMITTEEKEY,
                                 .text = COM::COMMITTEE,
                                 .children = FileId::Commbrs,
                                 .childKey = CMBRS::key::COMMITTEEKEY,
                                 .childLink = CMBRS::COMMITTEE,
                                 .joins = {{FileId::Members}},
                                 .childText = memberDisplayName}}},
    .buttons = {button("&Insert", "Insert", "Add a new customer group", "INSERT.ICO"),
                button("&Delete", "Delete", "Delete the highlighted record", "DELETE.ICO"),
                button("Edi&t", "Edit", "Review or make changes to the highlighted record",
                       "Openfold.ico"),
                button("&Expand All", "ExpandAll",
                       "Expand all customer groups and display customers"),
                button("Co&ntract All", "ContractAll", "Contract all groups"),
                {.text = "&Close", .role = ButtonRole::Cancel, .message = "Exit and return..."},
                {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"}},
});

struct Customer {
    std::int32_t number;
    std::string name;
};

// The customer numbered `number` (as a drag carries it), read without
// disturbing the customer in the buffer; none when no customer has it.
std::optional<Customer> customerNumbered(std::string_view number) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || value <= 0)
        return std::nullopt;
    Record& members = buffer(FileId::Members);
    const Record kept = members;
    MBR::MEMBERNUMBER.set(value);
    std::optional<Customer> found;
    if (fileManagerFor(FileId::Members)->FetchQuietly(MBR::key::MEMBERKEY) == SeverityNone)
        found = Customer{value, MBR::MEMBERNAME.get()};
    members = kept;
    return found;
}

class CommitteeAssignmentsWindow final : public WindowManager {
public:
    CommitteeAssignmentsWindow() : WindowManager(kCommitteeAssignments) {}

    void SetupControls() override {
        open_.emplace(processValues().GroupsWindowThread, WindowId());
        WindowManager::SetupControls();
        receiveCustomers(true);
        for (std::string_view name : {"Insert", "Edit", "Delete"})
            tree().POPUP.AddMimicItem("", Control(name), "!" + std::string(name));
        SetTimer(kClockHundredths);
        showClock();
    }

    int Teardown() override {
        open_.reset();
        // The customer list lets customers be dragged only while this
        // window is open to take them.
        postToWindow(processValues().CustomerListThread, {EventKind::GainFocus});
        return WindowManager::Teardown();
    }

    int OnWindowEvent() override {
        const int level = WindowManager::OnWindowEvent();
        if (CurrentEvent().kind == EventKind::Timer) showClock();
        // The customers come from the customer list, open beside this window.
        if (CurrentEvent().kind == EventKind::OpenWindow) procedures().call("BrowseMembers");
        return level;
    }

    int OnAccepted() override {
        if (!CurrentEvent().control && CurrentEvent().command == kDeleteGroupMember) {
            removeDragged();
            return LevelHandled;
        }
        if (Pressed("Insert")) insertGroup();
        if (Pressed("Edit")) changeGroup();
        if (Pressed("Delete")) deleteHighlighted();
        if (Pressed("ExpandAll")) tree().ExpandAll();
        if (Pressed("ContractAll")) tree().ContractAll();
        return WindowManager::OnAccepted();
    }

    int OnControlEvent() override {
        const WindowEvent& event = CurrentEvent();
        if (event.kind == EventKind::AlertKey && event.key == kDoubleClickKey &&
            event.control == tree().LISTCONTROL.data())
            changeGroup();
        return WindowManager::OnControlEvent();
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const std::optional<TreeList::Row> row = tree().Highlighted();
        Control("Edit")->setEnabled(row && row->level == 1);
        Control("Delete")->setEnabled(row.has_value());
        applyDragOut();
    }

private:
    TreeList& tree() const { return *Tree(kTree); }
    QWidget& treeWidget() const { return *tree().LISTCONTROL; }

    void showClock() {
        SetStatusText(kDateZone, weekdayAndDate(Clock::today()));
        SetStatusText(kTimeZone, clockText(Clock::now()));
    }

    void receiveCustomers(bool on) {
        if (!on) {
            DragLink::of(treeWidget()).setTarget({}, {});
            return;
        }
        DragLink::of(treeWidget())
            .setTarget(kMemberDrag, [this](const std::string& number, QPoint at) {
                // The drop arrives outside the window's events.
                const ThreadScope thread(WindowId());
                addMember(number, at);
            });
    }

    // Members can be dragged out only while the customer list is open to
    // take them and no customer form is open.
    void applyDragOut() {
        const bool allowed =
            processValues().CustomerListThread != 0 && processValues().CustomerFormOpen == 0;
        if (allowed == dragOut_) return;
        dragOut_ = allowed;
        DragLink& link = DragLink::of(treeWidget());
        if (!allowed) {
            link.setSource({}, {}, {});
            return;
        }
        link.setSource(kGroupMemberDrag, kGroupMemberDragTip, [this] { return draggedMember(); });
    }

    // Only a member can be dragged out, and the one dragged is the one
    // removed when the customer list takes it.
    std::string draggedMember() {
        const std::optional<TreeList::Row> row = tree().Highlighted();
        dragged_ = row && row->level == 2 ? row->position : std::string();
        return dragged_;
    }

    void addMember(const std::string& number, QPoint at) {
        const std::optional<TreeList::Row> row = tree().RowAt(at);
        // Off every row there is no group to join.
        if (!row) return;
        const std::optional<Customer> customer = customerNumbered(number);
        if (!customer) {
            messages().beep(Beep::Exclamation);
            return;
        }
        FileManager& memberships = *fileManagerFor(FileId::Commbrs);
        const auto fill = [&] {
            buffer(FileId::Commbrs).clear();
            CMBRS::COMMITTEE.set(row->owner);
            CMBRS::MEMBERNUMBER.set(customer->number);
        };
        fill();
        if (memberships.FetchQuietly(CMBRS::key::KEYASSIGNMENT) == SeverityNone) {
            messages().beep(Beep::Exclamation);
            messages().show({"", "This person is already in this group", MessageIcon::Exclamation,
                             ButtonOk, ButtonOk});
        } else {
            fill();
            CMBRS::MEMBERNAME.set(customer->name);
            if (memberships.Insert() != SeverityNone) return;
        }
        reloadShowing(row->owner, 2, memberships.Position());
    }

    // Loads the tree again, as expanded as it was, with `owner` expanded and
    // the row of the membership (or group) at `position` highlighted.
    void reloadShowing(const std::string& owner, int level, const std::string& position) {
        tree().ReloadRows(true);
        if (!owner.empty()) tree().ExpandOwner(owner);
        tree().Highlight(level, position);
    }

    // Reads the highlighted row's group into the buffer; false when it is gone.
    static bool readGroup(const TreeList::Row& row) {
        return fileManagerFor(FileId::Committees)->RegetQuietly(row.ownerPosition) == SeverityNone;
    }

    int callForm(std::string_view procedure, int request) {
        // The tree takes no drops while a form is open over it.
        receiveCustomers(false);
        const int response = CallProcedure(procedure, request);
        receiveCustomers(true);
        return response;
    }

    void insertGroup() {
        if (const std::optional<TreeList::Row> row = tree().Highlighted(); row && readGroup(*row)) {
            buffer(FileId::Commbrs).clear();
            CMBRS::COMMITTEE.set(row->owner);
        }
        FileManager& groups = *fileManagerFor(FileId::Committees);
        if (groups.PrimeNewRecord() != SeverityNone) return;
        if (callForm("UpdateCommittees", InsertRequest) != ResponseCompleted) return;
        reloadShowing({}, 1, groups.Position());
    }

    void changeGroup() {
        const std::optional<TreeList::Row> row = tree().Highlighted();
        if (!row || row->level != 1 || !readGroup(*row)) return;
        if (callForm("UpdateCommittees", ChangeRequest) != ResponseCompleted) return;
        reloadShowing({}, 1, row->position);
    }

    void deleteHighlighted() {
        const std::optional<TreeList::Row> row = tree().Highlighted();
        if (!row) return;
        if (row->level == 1) {
            if (readGroup(*row)) callForm("UpdateCommittees", DeleteRequest);
            tree().ReloadRows(true);
            return;
        }
        if (fileManagerFor(FileId::Commbrs)->RegetQuietly(row->position) != SeverityNone) return;
        if (callForm("DeleteCommitteeMembers", DeleteRequest) != ResponseCompleted) return;
        reloadShowing({}, 1, row->ownerPosition);
    }

    // A member dropped on the customer list leaves its group.
    void removeDragged() {
        const std::string dragged = std::exchange(dragged_, {});
        if (!dragged.empty() && tree().Highlight(2, dragged)) deleteHighlighted();
    }

    std::optional<ScopedValue<int>> open_;  // GroupsWindowThread while the window is open
    bool dragOut_ = false;                  // members can be dragged out now
    std::string dragged_;                   // the position of the member dragged out last
};

}  // namespace

std::string memberDisplayName() {
    // A membership whose customer is gone shows the customer's number.
    if (MBR::MEMBERNUMBER.get() != CMBRS::MEMBERNUMBER.get())
        return std::to_string(CMBRS::MEMBERNUMBER.get());
    std::string name;
    if (text::equal(MBR::MEMBERTYPE.get(), "Company")) {
        name = std::string(text::clip(MBR::COMPANYNAME.get())) + " - " + MBR::CONTACT.get();
    } else {
        name = std::string(text::clip(MBR::FIRSTNAME.get())) + " " + MBR::LASTNAME.get();
    }
    return std::string(text::clip(name));
}

void CommitteeAssignments(std::string_view) {
    const int open = processValues().GroupsWindowThread;
    if (open == 0) {
        startWindow(std::make_unique<CommitteeAssignmentsWindow>());
        return;
    }
    // The window is open already: it comes to the front, restored.
    postToWindow(open, {EventKind::GainFocus});
    if (const WindowManager* window = startedWindow(open); window && window->Widget())
        frameServices().activateChildWindow(*window->Widget());
}

}  // namespace bb
