// The window manager's set-up and tear-down: the request taken over, the
// files opened, the widgets built from the declaration and bound, and all of
// it undone again.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/file_drop.h"
#include "ui/help_topics.h"
#include "ui/marked_list.h"
#include "ui/toolbar_strip.h"
#include "ui/tree_list.h"
#include "ui/window_manager.h"
#include "ui/window_registry.h"

namespace bb {

namespace {

// An event filter that hands every event to a function.
class FunctionFilter final : public QObject {
public:
    explicit FunctionFilter(std::function<bool(QObject*, QEvent*)> filter)
        : filter_(std::move(filter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return filter_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> filter_;
};

// The copies of records kept for the forms' ditto, by form procedure and
// file. Found by the procedure's name, not by where its declaration lies:
// a declaration made later in the same place (another form's, or the same
// form's anew) must not find a history that is not its own.
std::map<std::pair<std::string, FileId>, std::unique_ptr<Record>>& historyCopies() {
    static std::map<std::pair<std::string, FileId>, std::unique_ptr<Record>> copies;
    return copies;
}

// The record as the form last completed it, for the rest of the run; empty
// the first time the form opens.
Record& historyCopy(const WindowDecl& form, FileId file) {
    auto& copy = historyCopies()[{std::string(form.procedure), file}];
    if (!copy) copy = std::make_unique<Record>(fileDef(file));
    return *copy;
}

// The files a declaration's window reads: its primary file, the files it
// names, and those its drop lists show.
std::vector<FileId> filesOf(const WindowDecl& decl) {
    std::vector<FileId> files;
    auto add = [&files](FileId file) {
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    };
    if (decl.primary) add(*decl.primary);
    for (FileId file : decl.files) add(file);
    for (const FieldDecl& field : decl.fields) {
        if (field.drop) add(field.drop->file);
        if (!field.list) continue;
        add(field.list->file);
        for (const ViewJoin& join : field.list->joins) add(join.file);
    }
    return files;
}

}  // namespace

int WindowManager::Setup() {
    ProcessValues& values = processValues();
    REQUEST = values.PendingRequest;
    ORIGINALREQUEST = REQUEST;
    BROWSES.clear();
    BUTTONS.clear();
    FILEDROPS.clear();
    bindingScope_.emplace();
    setUp_ = true;
    checkOwnNames();
    INSERTACTION = decl_.insertAction;
    DELETEACTION = decl_.deleteAction;
    CANCELACTION = decl_.cancelAction;
    AUTOTOOLBAR = true;
    AUTOREFRESH = true;
    VCRREQUEST = &values.VCRRequest;
    ERRORS = &programErrors();
    TOOLBAR = &toolbar_;
    toolbar_.Setup();
    values.PendingRequest = NoRequest;
    values.LastResponse = NoResponse;
    if (decl_.recordsName) values.CurrentProcedure.set(decl_.procedure);
    makeLocals();
    if (isUpdateForm()) PRIMARY = relationManagerFor(*decl_.primary);
    if (refuseRequest()) return LevelHandled;
    openFiles();
    if (isUpdateForm()) {
        HISTORYKEY = kDittoKey;
        for (FileId file : decl_.updateFiles) AttachUpdateFile(*fileManagerFor(file));
    }
    if (PrepareRequest() != 0) return LevelHandled;
    openWindow();
    OPENED = true;
    buildHistory();
    attachDeclaredBrowses();
    attachDeclaredTrees();
    SetupControls();
    attachDeclaredDrops();
    attachDeclaredMarks();
    attachFormToolbar();
    ArmKeys();
    return LevelCarryOn;
}

bool WindowManager::refuseRequest() {
    if (!isUpdateForm()) return false;
    struct Unserved {
        int request;
        unsigned served;
        ErrorId error;
    };
    constexpr Unserved kRefusals[] = {
        {InsertRequest, ServesInsert, ErrCannotInsert},
        {ChangeRequest, ServesChange, ErrCannotUpdate},
        {DeleteRequest, ServesDelete, ErrCannotDelete},
    };
    for (const Unserved& r : kRefusals) {
        if (REQUEST == r.request && !(decl_.serves & r.served)) {
            ERRORS->Throw(r.error);
            return true;
        }
    }
    return false;
}

void WindowManager::makeLocals() {
    if (decl_.locals.empty()) return;
    localsDef_ = std::make_unique<FileDef>();
    localsDef_->label = std::string(decl_.procedure);
    for (const LocalDecl& local : decl_.locals) {
        localsDef_->fields.push_back(
            {text::upper(local.name), std::string(local.name), local.spec});
    }
    locals_ = std::make_unique<Record>(*localsDef_);
    for (int i = 0; i < locals_->size(); ++i) {
        const std::string_view initial = decl_.locals[static_cast<std::size_t>(i)].initial;
        if (initial.empty()) continue;
        const Value value = localsDef_->fields[static_cast<std::size_t>(i)].isText()
                                ? Value::text(std::string(initial))
                                : Value::number(*Value::text(std::string(initial)).numeric());
        (void)locals_->set(i, value);
    }
    // Filters of the window's views may name them; a variable declared whole
    // or text keeps that kind, so that the storage can seek on it.
    for (int i = 0; i < locals_->size(); ++i) {
        const FieldDef& def = localsDef_->fields[static_cast<std::size_t>(i)];
        const BoundName::Kind kind = def.isInteger() ? BoundName::Kind::Whole
                                     : def.isText()  ? BoundName::Kind::Text
                                                     : BoundName::Kind::Any;
        bindings().bindVariable(
            std::string(decl_.locals[static_cast<std::size_t>(i)].name),
            [this, i] { return locals_->get(i); }, kind);
    }
}

Value WindowManager::Local(std::string_view name) const {
    const auto field = localsDef_ ? localsDef_->findField(name) : std::nullopt;
    if (!field)
        declarationFault(decl_, "no window variable is named \"" + std::string(name) + "\"");
    return locals_->get(*field);
}

void WindowManager::SetLocal(std::string_view name, const Value& value) {
    const auto field = localsDef_ ? localsDef_->findField(name) : std::nullopt;
    if (!field)
        declarationFault(decl_, "no window variable is named \"" + std::string(name) + "\"");
    (void)locals_->set(*field, value);
}

void WindowManager::checkOwnNames() const {
    // The procedures are checked for every declared window by a test: a
    // window may open before a test registers the ones it calls.
    const std::vector<std::string> faults = unresolvedNames(decl_, nullptr);
    if (!faults.empty()) declarationFault(decl_, faults.front());
}

void WindowManager::openFiles() {
    for (FileId file : filesOf(decl_)) {
        if (RelationManager* relations = relationManagerFor(file))
            openedFiles_.push_back(std::make_unique<RelatedFilesOpen>(*relations));
    }
}

void WindowManager::closeFiles() {
    while (!openedFiles_.empty()) openedFiles_.pop_back();
}

Binding WindowManager::bind(const FieldDecl& field) {
    if (!field.local.empty()) {
        const auto index = localsDef_ ? localsDef_->findField(field.local) : std::nullopt;
        return index ? Binding{locals_.get(), *index} : Binding{};
    }
    if (field.field.index() < 0) return {};
    return {&buffer(field.field.file()), field.field.index()};
}

void WindowManager::openWindow() {
    WindowWidget::Owner& owner = *this;
    ownedWidget_ = std::make_unique<WindowWidget>(owner);
    // A called window stands over its caller's.
    if (called_ && QApplication::activeWindow())
        ownedWidget_->setParent(QApplication::activeWindow(), Qt::Dialog);
    widget_ = ownedWidget_.get();
    // The frame may delete a child window it holds (when it closes).
    QObject::connect(widget_, &QObject::destroyed, &poster_,
                     [this] { (void)ownedWidget_.release(); });
    registerWidget();
    keyFilter_ = std::make_unique<FunctionFilter>(
        [this](QObject* watched, QEvent* event) { return filterEvent(watched, event); });
    ControlListener& listener = *this;
    const BuildContext context{listener, [this](const FieldDecl& field) { return bind(field); },
                               [this](const FieldDecl& field, QWidget* parent) -> QWidget* {
                                   if (field.kind == ControlKind::List)
                                       return new BrowseList(parent);
                                   if (field.kind == ControlKind::Tree)
                                       return new QTreeWidget(parent);
                                   QWidget* made = CreateSlot(field, parent);
                                   return made ? made : new QWidget(parent);
                               }};
    built_ = buildWindow(*widget_, decl_, context);
    OKCONTROL = ButtonOf(ButtonRole::Ok);
    if (QAbstractButton* cancel = ButtonOf(ButtonRole::Cancel))
        AddButton(cancel, ResponseCancelled);
    for (const auto& [decl, button] : built_.buttons) {
        QObject::connect(button, &QAbstractButton::clicked, &poster_, [this, b = button] {
            deliver({EventKind::Accepted, b});
        });
        button->installEventFilter(keyFilter_.get());
    }
    if (built_.tabs) {
        QObject::connect(built_.tabs, &QTabWidget::currentChanged, &poster_, [this] {
            deliver({EventKind::NewSelection, built_.tabs});
        });
    }
    for (const auto& control : built_.controls) {
        if (control->editable() && !FIRSTFIELD) FIRSTFIELD = control->widget();
    }
    // F1 anywhere in the window opens this page (the frame sees to it).
    setHelpTopic(*widget_, HelpTopic());
    frameDisplay_ = std::make_unique<FrameToolbarDisplay>(widget_);
    toolbar_.AddDisplay(*frameDisplay_);
    const bool strip = called_ && (REQUEST == InsertRequest || REQUEST == ChangeRequest ||
                                   REQUEST == SelectRequest);
    if (strip) {
        strip_ = new ToolbarStrip(widget_, [this](int number) { toolbarCommand(number); });
        built_.root->insertWidget(0, strip_);
        toolbar_.AddDisplay(*strip_);
    }
    static const bool tracking =
        QObject::connect(qApp, &QApplication::focusChanged, qApp, &focusMoved);
    (void)tracking;
}

void WindowManager::focusMoved(QWidget*, QWidget* to) {
    WindowManager* gained = Owning(to);
    handFocusTo(gained);
    if (gained) gained->aimToolbarAtFocus();
}

bool WindowManager::filterEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        // A button getting the focus is selected as a control is.
        if (auto* button = qobject_cast<QAbstractButton*>(watched))
            deliver({EventKind::Selected, button});
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    const QKeyCombination pressed = static_cast<QKeyEvent*>(event)->keyCombination();
    for (const auto& [control, key] : armedKeys_) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (key != pressed || !widget || !(control == widget || control->isAncestorOf(widget)))
            continue;
        // Claimed before any shortcut of the window can take it.
        event->accept();
        if (type == QEvent::KeyPress) {
            const FormControl* bound = BoundControl(control);
            deliver({EventKind::AlertKey, bound ? bound->widget() : control, 0, pressed});
        }
        return true;
    }
    return false;
}

void WindowManager::buildHistory() {
    for (const auto& control : built_.controls) {
        const FieldDecl& field = control->decl();
        if (!field.ditto.value_or(false) || field.field.index() < 0) continue;
        const FileId file = field.field.file();
        history_.push_back(
            {&buffer(file), &historyCopy(decl_, file), control.get(), field.field.index()});
    }
}

void WindowManager::attachDeclaredDrops() {
    for (const auto& control : built_.controls) {
        const FieldDecl& field = control->decl();
        QComboBox* list = dropList(*control);
        if (!list || !field.drop) continue;
        const DropDecl& drop = *field.drop;
        auto made = std::make_unique<FileDrop>();
        made->Setup(list, *this, *relationManagerFor(drop.file), drop.key, drop.format,
                    control->picture().spec());
        for (FieldRef column : drop.columns) made->DefineColumn(column);
        for (const auto& [from, to] : drop.updates) made->DefineUpdateField(from, to);
        made->DEFAULTFILL = drop.defaultFill;
        attachFileDrop(*control, *made);
        Attach(*made);
        ownDrops_.push_back(std::move(made));
    }
}

void WindowManager::attachDeclaredMarks() {
    for (const auto& control : built_.controls) {
        const FieldDecl& field = control->decl();
        QTreeView* list = markedListView(*control);
        if (!list || !field.drop) continue;
        const DropDecl& rows = *field.drop;
        auto made = std::make_unique<MarkedList>();
        made->Setup(list, *relationManagerFor(rows.file), rows.key, rows.format);
        for (FieldRef column : rows.columns) made->DefineColumn(column);
        attachMarkedList(*control, *made);
        ownMarks_.emplace_back(control.get(), std::move(made));
    }
}

void WindowManager::attachDeclaredTrees() {
    for (const auto& control : built_.controls) {
        const FieldDecl& field = control->decl();
        auto* tree = qobject_cast<QTreeWidget*>(control->widget());
        if (!tree || !field.tree) continue;
        auto made = std::make_unique<TreeList>();
        made->Setup(*tree, *this, *field.tree);
        ownTrees_.emplace_back(control.get(), std::move(made));
    }
}

TreeList* WindowManager::Tree(std::string_view name) const {
    for (const auto& [control, tree] : ownTrees_) {
        if (control->decl().name == name) return tree.get();
    }
    return nullptr;
}

MarkedList* WindowManager::Marks(std::string_view label) const {
    for (const auto& [control, marks] : ownMarks_) {
        if (control->label() == label) return marks.get();
    }
    return nullptr;
}

void WindowManager::attachDeclaredBrowses() {
    for (const auto& control : built_.controls) {
        const FieldDecl& field = control->decl();
        auto* list = dynamic_cast<BrowseList*>(control->widget());
        if (!list || !field.list) continue;
        auto made = CreateBrowse(field);
        made->Declare(*list, *this, *field.list, control->label());
        // A list window starts on its (first) list.
        if (!FIRSTFIELD) FIRSTFIELD = list;
        ownBrowses_.push_back(std::move(made));
    }
}

std::unique_ptr<BrowseManager> WindowManager::CreateBrowse(const FieldDecl&) {
    return std::make_unique<BrowseManager>();
}

void WindowManager::attachFormToolbar() {
    if (!isUpdateForm()) return;
    formTarget_.HISTORY = HISTORYKEY != QKeyCombination();
    formTarget_.REQUEST = ORIGINALREQUEST;
    formTarget_.HELPBUTTON = ButtonOf(ButtonRole::Help);
    toolbar_.RegisterTarget(formTarget_, nullptr);
    toolbar_.MakeCurrent(nullptr);
}

void WindowManager::ArmKeys() {
    for (const HistoryEntry& entry : history_) {
        for (QWidget* part : entry.control->parts()) ArmKey(part, HISTORYKEY);
    }
    for (WindowBrowse* browse : BROWSES) browse->ArmKeys();
}

void WindowManager::ArmKey(QWidget* control, QKeyCombination key) {
    armedKeys_.emplace_back(control, key);
    control->installEventFilter(keyFilter_.get());
    for (QWidget* inner : control->findChildren<QWidget*>())
        inner->installEventFilter(keyFilter_.get());
}

void WindowManager::Attach(WindowBrowse& browse) {
    BROWSES.push_back(&browse);
    browse.SetSelecting(REQUEST == SelectRequest);
}

void WindowManager::Attach(FileDrop& drop) {
    FILEDROPS.push_back(&drop);
}

void WindowManager::AddButton(QWidget* control, int response) {
    BUTTONS.emplace_back(control, response);
}

void WindowManager::AttachUpdateFile(FileManager& file) {
    FILES.emplace_back(&file, 0);
}

void WindowManager::SetupControls() {}

QWidget* WindowManager::CreateSlot(const FieldDecl&, QWidget*) {
    return nullptr;
}

void WindowManager::SeedNewRecord() {}

int WindowManager::Teardown() {
    if (DEAD || !setUp_) return LevelHandled;
    takeBackReservation();
    for (WindowBrowse* browse : BROWSES) browse->Teardown();
    BROWSES.clear();
    for (FileDrop* drop : FILEDROPS) drop->Teardown();
    FILEDROPS.clear();
    for (const auto& entry : ownMarks_) entry.second->Teardown();
    for (const auto& entry : ownTrees_) entry.second->Teardown();
    BUTTONS.clear();
    history_.clear();
    // The saved buffers are dropped, not put back.
    for (const auto& [file, saved] : FILES) file->RestoreCopy(saved, false);
    FILES.clear();
    if (PRIMARY && SAVED != 0) PRIMARY->Me->RestoreCopy(SAVED, false);
    SAVED = 0;
    toolbar_.Teardown();
    DEAD = true;
    bindingScope_.reset();
    closeFiles();
    return LevelCarryOn;
}

void WindowManager::takeBackReservation() {
    // An insert that ended before the form could close (a refused request,
    // a seed that cancelled) still takes back the number reserved for it.
    if (PRIMARY && ORIGINALREQUEST == InsertRequest && RESPONSE != ResponseCompleted)
        (void)PRIMARY->CancelNumber();
}

void forgetDittoHistory() {
    historyCopies().clear();
}

}  // namespace bb
