#include "window_driver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <stdexcept>

#include "dictionary/process_values.h"
#include "qt_application.h"
#include "ui/browse_list.h"
#include "ui/form_controls.h"
#include "ui/toolbar_strip.h"

namespace bb::test {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A label as the user reads it: no "&", no trailing colon, no outer blanks.
QString plain(QString text) {
    text.remove('&');
    text = text.trimmed();
    if (text.endsWith(':')) text.chop(1);
    return text.trimmed();
}

bool named(const QWidget* widget, const QString& wanted) {
    if (plain(widget->accessibleName()) == wanted) return true;
    // A label showing a value is named by it; what it is, it describes.
    if (widget->accessibleDescription() == wanted) return true;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return plain(button->text()) == wanted;
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return plain(group->title()) == wanted;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->buddy() && plain(label->text()) == wanted;
    return false;
}

// The list of a marked list found by its box's title or its own name.
QTreeView* markedList(QWidget* found) {
    if (auto* list = qobject_cast<QTreeView*>(found)) return list;
    return found ? found->findChild<QTreeView*>() : nullptr;
}

// Every row of a marked list, as "name" or "name: other columns".
std::vector<std::string> markedRows(const QTreeView& list) {
    std::vector<std::string> shown;
    const QAbstractItemModel& model = *list.model();
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells.push_back(model.index(r, c).data().toString());
        const QString name = cells.takeFirst();
        shown.push_back((cells.isEmpty() ? name : name + ": " + cells.join(' ')).toStdString());
    }
    return shown;
}

// The widget that takes typing for a control.
QWidget* typingTarget(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control); label && label->buddy())
        return label->buddy();
    return control;
}

}  // namespace

std::string declaredCaption(const WindowManager& window) {
    return std::string(window.Decl().caption);
}

// ------------------------------------------------------------ DrivenWindow

QWidget* DrivenWindow::find(std::string_view label) const {
    const QString wanted = plain(toQString(label));
    QWidget* top = window_.Widget();
    if (top) {
        for (QWidget* widget : top->findChildren<QWidget*>()) {
            if (named(widget, wanted)) return typingTarget(widget);
        }
    }
    ADD_FAILURE() << "no control \"" << label << "\" in the window \"" << caption() << "\"";
    return nullptr;
}

void DrivenWindow::focus(std::string_view label) {
    QWidget* control = find(label);
    if (!control) return;
    control->setFocus(Qt::TabFocusReason);
    driver_.settle();
}

void DrivenWindow::hover(std::string_view label) {
    if (QWidget* control = find(label)) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(control, &enter);
    }
    driver_.settle();
}

void DrivenWindow::leave(std::string_view label) {
    if (QWidget* control = find(label)) {
        QEvent left(QEvent::Leave);
        QApplication::sendEvent(control, &left);
    }
    driver_.settle();
}

void DrivenWindow::typeOnly(std::string_view label, std::string_view text) {
    QWidget* control = find(label);
    if (!control) return;
    control->setFocus(Qt::TabFocusReason);
    driver_.settle();
    QWidget* keys = QApplication::focusWidget() ? QApplication::focusWidget() : control;
    // Over what the control shows, as a user who selected it all.
    QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_Delete);
    QTest::keyClicks(keys, toQString(text));
    driver_.settle();
}

void DrivenWindow::type(std::string_view label, std::string_view text) {
    typeOnly(label, text);
    if (QWidget* keys = QApplication::focusWidget()) QTest::keyClick(keys, Qt::Key_Tab);
    driver_.settle();
}

void DrivenWindow::pick(std::string_view label, std::string_view row) {
    auto* list = qobject_cast<QComboBox*>(find(label));
    if (!list) {
        ADD_FAILURE() << "\"" << label << "\" is not a drop list";
        return;
    }
    list->setFocus(Qt::TabFocusReason);
    const QString wanted = toQString(row);
    for (int r = 0; r < list->count(); ++r) {
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            if (list->model()->index(r, c).data().toString().trimmed() != wanted) continue;
            list->setCurrentIndex(r);
            emit list->activated(r);
            driver_.settle();
            return;
        }
    }
    ADD_FAILURE() << "the drop list \"" << label << "\" has no row \"" << row << "\"";
}

bool DrivenWindow::hasButton(std::string_view text) const {
    const QWidget* top = window_.Widget();
    if (!top) return false;
    for (const QAbstractButton* button : top->findChildren<QAbstractButton*>()) {
        if (plain(button->text()) == plain(toQString(text))) return true;
    }
    return false;
}

void DrivenWindow::choose(std::string_view radio) {
    if (auto* button = qobject_cast<QRadioButton*>(find(radio))) clickRadio(*button);
}

void DrivenWindow::choose(std::string_view group, std::string_view radio) {
    QWidget* options = find(group);
    if (!options) return;
    for (QRadioButton* button : options->findChildren<QRadioButton*>()) {
        if (plain(button->text()) == plain(toQString(radio))) {
            clickRadio(*button);
            return;
        }
    }
    ADD_FAILURE() << "the option \"" << group << "\" has no radio \"" << radio << "\"";
}

void DrivenWindow::clickRadio(QRadioButton& button) {
    button.setFocus(Qt::TabFocusReason);
    button.click();
    driver_.settle();
}

void DrivenWindow::mark(std::string_view label, std::string_view row) {
    QTreeView* list = markedList(find(label));
    if (!list) return;
    list->setFocus(Qt::MouseFocusReason);
    const QAbstractItemModel& model = *list->model();
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            const QModelIndex cell = model.index(r, c);
            if (cell.data().toString().trimmed() != toQString(row)) continue;
            list->scrollTo(cell);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(cell).center());
            driver_.settle();
            return;
        }
    }
    ADD_FAILURE() << "the marked list \"" << label << "\" has no row \"" << row << "\"";
}

void DrivenWindow::showTab(std::string_view tab) {
    for (auto* tabs : window_.Widget()->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (plain(tabs->tabText(i)) != toQString(tab)) continue;
            tabs->setCurrentIndex(i);
            driver_.settle();
            screenshot("tab " + std::string(tab));
            return;
        }
    }
    ADD_FAILURE() << "no tab \"" << tab << "\" in the window \"" << caption() << "\"";
}

void DrivenWindow::check(std::string_view label, bool checked) {
    auto* box = qobject_cast<QCheckBox*>(find(label));
    if (!box) return;
    box->setFocus(Qt::TabFocusReason);
    if (box->isChecked() != checked) box->click();
    driver_.settle();
}

void DrivenWindow::press(std::string_view button) {
    auto* pressed = qobject_cast<QAbstractButton*>(find(button));
    if (!pressed) return;
    screenshot("before " + std::string(button));
    // The button takes the focus first: the control that had it is left.
    // A message that leaving it shows takes the click, as a modal box does.
    const std::size_t before = driver_.messages.shown.size();
    pressed->setFocus(Qt::MouseFocusReason);
    driver_.settle();
    if (driver_.messages.shown.size() != before) return;
    if (!pressed->isEnabled()) {
        ADD_FAILURE() << "the button \"" << button << "\" is disabled";
        return;
    }
    pressed->click();
    driver_.settle();
}

void DrivenWindow::toolbar(int command) {
    screenshot("before toolbar " + std::to_string(command));
    if (auto* strip = window_.Widget()->findChild<ToolbarStrip*>()) {
        if (QAction* action = strip->action(command)) action->trigger();
    } else {
        deliverToolbarCommand(command);
    }
    driver_.settle();
}

void DrivenWindow::key(QKeyCombination key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : window_.Widget(), key.key(), key.keyboardModifiers());
    driver_.settle();
}

void DrivenWindow::close() {
    window_.Widget()->close();
    driver_.settle();
}

void DrivenWindow::resize(int width, int height) {
    window_.Widget()->resize(width, height);
    driver_.settle();
}

BrowseList* DrivenWindow::list(std::string_view name) const {
    QWidget* found = find(name);
    if (!found) return nullptr;
    if (auto* list = dynamic_cast<BrowseList*>(found)) return list;
    if (auto* list = dynamic_cast<BrowseList*>(found->parentWidget())) return list;
    ADD_FAILURE() << "\"" << name << "\" is not a list";
    return nullptr;
}

std::vector<std::string> DrivenWindow::rows(std::string_view name, int column) const {
    std::vector<std::string> out;
    if (const QTreeView* marks = markedList(find(name))) return markedRows(*marks);
    const BrowseList* shown = list(name);
    if (!shown) return out;
    const QAbstractItemModel* model = shown->Table()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        out.push_back(model->index(r, column).data().toString().toStdString());
    return out;
}

int DrivenWindow::highlighted(std::string_view name) const {
    const BrowseList* shown = list(name);
    if (!shown) return -1;
    const QModelIndexList selected = shown->Table()->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

int DrivenWindow::thumb(std::string_view name) const {
    const BrowseList* shown = list(name);
    return shown && shown->ScrollBar()->isVisible() ? shown->Thumb() : -1;
}

void DrivenWindow::clickRow(std::string_view name, int row) {
    BrowseList* shown = list(name);
    if (!shown) return;
    BrowseTable* table = shown->Table();
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    driver_.settle();
}

void DrivenWindow::doubleClickRow(std::string_view name, int row) {
    BrowseList* shown = list(name);
    if (!shown) return;
    BrowseTable* table = shown->Table();
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    driver_.settle();
}

void DrivenWindow::dragThumb(std::string_view name, int percent) {
    BrowseList* shown = list(name);
    if (!shown) return;
    QScrollBar* bar = shown->ScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(percent);
    bar->setSliderDown(false);
    driver_.settle();
}

std::string DrivenWindow::shown(std::string_view label) const {
    QWidget* control = find(label);
    // As shown: a masked entry's blank places too.
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->displayText().toStdString();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) return spin->text().toStdString();
    if (auto* area = qobject_cast<QPlainTextEdit*>(control))
        return area->toPlainText().toStdString();
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? "checked" : "unchecked";
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText().toStdString();
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        for (auto* radio : group->findChildren<QRadioButton*>()) {
            if (radio->isChecked()) return plain(radio->text()).toStdString();
        }
        return {};
    }
    if (auto* text = qobject_cast<QLabel*>(control)) return text->text().toStdString();
    return {};
}

bool DrivenWindow::enabled(std::string_view label) const {
    const QWidget* control = find(label);
    return control && control->isEnabled();
}

std::vector<std::string> DrivenWindow::marked(std::string_view label) const {
    std::vector<std::string> names;
    if (const QTreeView* list = markedList(find(label))) {
        const QAbstractItemModel& model = *list->model();
        for (int r = 0; r < model.rowCount(); ++r) {
            const QModelIndex name = model.index(r, 0);
            if (name.data(Qt::CheckStateRole).toInt() == Qt::Checked)
                names.push_back(name.data().toString().toStdString());
        }
    }
    return names;
}

std::string DrivenWindow::caption() const {
    return window_.Widget() ? window_.Widget()->windowTitle().toStdString() : std::string();
}

std::string DrivenWindow::focused() const {
    const QWidget* focus = QApplication::focusWidget();
    if (const FormControl* control = window_.BoundControl(focus)) return control->label();
    if (const auto* button = qobject_cast<const QAbstractButton*>(focus))
        return plain(button->text()).toStdString();
    return focus ? focus->accessibleName().toStdString() : std::string();
}

const ToolbarButtonState& DrivenWindow::toolbarButton(int command) const {
    return window_.Toolbar().Button(command);
}

bool DrivenWindow::hasStrip() const {
    return window_.Widget()->findChild<ToolbarStrip*>() != nullptr;
}

bool DrivenWindow::stripEnabled(int command) const {
    const auto* strip = window_.Widget()->findChild<ToolbarStrip*>();
    const QAction* action = strip ? strip->action(command) : nullptr;
    return action && action->isEnabled();
}

void DrivenWindow::screenshot(std::string_view name) const {
    driver_.screenshot(*window_.Widget(), caption() + " - " + std::string(name));
}

// ------------------------------------------------------------ WindowDriver

WindowDriver::WindowDriver(Frame frame)
    : previousFrame_((ensureApplication(), frame == Frame::StandIn
                                               ? installFrameServices(&frame_)
                                               : installFrameServices(&frameServices()))),
      previousObserver_(installWindowObserver(this)) {}

WindowDriver::~WindowDriver() {
    closeAll();
    EXPECT_TRUE(scripts_.empty()) << scripts_.size() << " script(s) never ran, the first for \""
                                  << (scripts_.empty() ? "" : scripts_.front().caption) << "\"";
    installWindowObserver(previousObserver_);
    installFrameServices(previousFrame_);
}

void WindowDriver::when(std::string_view caption, Script script) {
    scripts_.push_back({std::string(caption), std::move(script)});
}

DrivenWindow WindowDriver::window(std::string_view caption) {
    settle();
    for (WindowManager* window : startedWindows()) {
        const std::string shown = window->Widget()->windowTitle().toStdString();
        if (declaredCaption(*window) == caption || shown == caption) return {*this, *window};
    }
    ADD_FAILURE() << "no open window \"" << caption << "\"";
    throw std::runtime_error("no such window");
}

void WindowDriver::settle() {
    // Bounded, so that a window that keeps posting cannot hang the test.
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::processEvents();
        if (postedWindowEvents() == 0) {
            QCoreApplication::processEvents();
            if (postedWindowEvents() == 0) return;
        }
    }
    ADD_FAILURE() << "the windows kept posting events";
}

void WindowDriver::closeAll() {
    for (WindowManager* window : startedWindows()) {
        window->CANCELACTION = CancelAction::Close;
        window->Widget()->close();
    }
    settle();
}

StandaloneFrame::ButtonState WindowDriver::frameButton(int command) const {
    const auto found = frame_.buttons.find(command);
    return found == frame_.buttons.end() ? StandaloneFrame::ButtonState{} : found->second;
}

void WindowDriver::screenshot(QWidget& widget, std::string_view name) {
    std::string file = std::to_string(++pictures_) + " " + std::string(name);
    for (char& c : file) {
        if (c == '/' || c == ':') c = '-';
    }
    test::screenshot(widget, file);
}

void WindowDriver::windowOpened(WindowManager& window) {
    opened_.push_back(declaredCaption(window));
    if (!window.Called()) return;
    const std::string shown = window.Widget()->windowTitle().toStdString();
    for (auto it = scripts_.begin(); it != scripts_.end(); ++it) {
        if (it->caption != declaredCaption(window) && it->caption != shown) continue;
        Script script = std::move(it->script);
        scripts_.erase(it);
        run(window, std::move(script));
        return;
    }
    ADD_FAILURE() << "the window \"" << shown << "\" opened with no script for it";
    run(window, [](DrivenWindow&) {});
}

void WindowDriver::run(WindowManager& window, Script script) {
    // Inside the window's own loop, once it has started.
    QTimer::singleShot(0, window.Widget(), [this, &window, script = std::move(script)] {
        settle();
        DrivenWindow driven(*this, window);
        driven.screenshot("opened");
        script(driven);
        settle();
        if (window.Closed()) return;
        ADD_FAILURE() << "the script left the window \"" << driven.caption() << "\" open";
        window.CANCELACTION = CancelAction::Close;
        window.EndWith(ResponseCancelled);
        settle();
    });
}

}  // namespace bb::test
