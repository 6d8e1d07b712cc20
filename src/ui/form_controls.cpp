#include "ui/form_controls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <cassert>

#include "platform/filter.h"
#include "platform/text.h"
#include "ui/date_spin.h"
#include "ui/file_drop.h"
#include "ui/frame_services.h"
#include "ui/marked_list.h"
#include "ui/text_width.h"

namespace bb {

namespace {

constexpr char kMessageProperty[] = "bbStatusMessage";

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string fromQString(const QString& s) {
    return s.toStdString();
}

// The picture a field is shown through when its declaration names none.
std::string defaultPicture(const FieldDef& def) {
    if (def.spec.picture[0] != '\0') return def.spec.picture;
    switch (def.spec.type) {
        case FieldType::String:
        case FieldType::Memo:
            return "@s" + std::to_string(def.spec.width);
        case FieldType::Decimal: {
            const int places = def.spec.places;
            const int width = def.spec.width + 2 + (places > 0 ? 1 : 0);
            return "@n-" + std::to_string(width) +
                   (places > 0 ? "." + std::to_string(places) : std::string());
        }
        case FieldType::Long:
            return def.spec.role == FieldRole::Date ? "@d2" : "@n-14";
        case FieldType::Short:
            return "@n-7";
        case FieldType::Byte:
            return "@n3";
    }
    return "@s1";
}

Picture pictureFor(const FieldDecl& decl, const Binding& binding) {
    std::string spec(decl.picture);
    if (spec.empty()) spec = binding.bound() ? defaultPicture(binding.def()) : "@s1";
    std::string error;
    auto compiled = Picture::compile(spec, &error);
    assert(compiled && "a window declares a picture this program cannot use");
    return compiled ? *compiled : *Picture::compile("@s1");
}

// The input mask of a pattern: a digit may go in each "#" place and the
// rest stands, so typing fills the places from the first free one wherever
// the cursor starts. Free places show as "_", never as the pattern's own
// spaces, which typing a space then skips.
QString patternMask(std::string_view pattern) {
    constexpr std::string_view kMaskCharacters = "AaNnXx90Dd#HhBb><!\\[]{}";
    QString mask;
    for (char c : pattern) {
        if (c == '#') {
            mask += QLatin1Char('0');
            continue;
        }
        if (kMaskCharacters.find(c) != std::string_view::npos) mask += QLatin1Char('\\');
        mask += QLatin1Char(c);
    }
    return mask + QStringLiteral(";_");
}

bool holdsValue(const Value& value, std::string_view text) {
    return compareValues(value, Value::text(std::string(text))) == 0;
}

void showMessageOf(const QWidget* widget) {
    const QVariant message = widget ? widget->property(kMessageProperty) : QVariant();
    const QString text = message.isValid() ? message.toString() : QString();
    frameServices().showStatusMessage(text.toStdString());
    if (auto* zone = widget ? widget->window()->findChild<QLabel*>(kMessageZoneName) : nullptr)
        zone->setText(text);
}

// Shows its widget's message while the widget has the focus or the mouse;
// when the mouse leaves, the focused widget's message comes back.
class StatusMessageFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (type == QEvent::FocusIn || type == QEvent::Enter) {
            showMessageOf(qobject_cast<QWidget*>(watched));
        } else if (type == QEvent::Leave) {
            showMessageOf(QApplication::focusWidget());
        }
        return false;
    }
};

// --------------------------------------------------------------- the kinds

// A control whose text is shown and read back through the picture: an
// entry or a date.
class TextControl : public FormControl {
public:
    using FormControl::FormControl;

    void display(bool force) override {
        if (modified() && !force) return;
        showText(toQString(text::trim(picture().format(binding().get()))));
        // As the widget gives it back, so that showing is never taken for typing.
        shown_ = fromQString(shownText());
    }

    std::optional<std::string> accept() override {
        const std::string typed = fromQString(shownText());
        const Picture::Result read = picture().deformat(typed);
        if (!read.ok()) return read.error;
        if (!binding().set(*read.value)) return "'" + typed + "' is too large.";
        display(true);
        return std::nullopt;
    }

    bool modified() const override { return fromQString(shownText()) != shown_; }

protected:
    virtual QString shownText() const = 0;
    virtual void showText(const QString& text) = 0;
    // What the widget shows before anything is displayed (a mask's empty
    // places) is not typing.
    void noteShown() { shown_ = fromQString(shownText()); }

private:
    std::string shown_;
};

class EntryControl final : public TextControl {
public:
    EntryControl(const FieldDecl& decl, Binding binding, ControlListener& listener, QWidget* parent)
        : TextControl(decl, binding, listener), edit_(new QLineEdit(parent)) {
        setWidget(edit_);
        const Picture::Kind kind = picture().kind();
        if (kind == Picture::Kind::String) edit_->setMaxLength(picture().width());
        if (kind == Picture::Kind::Numeric) edit_->setAlignment(Qt::AlignRight);
        if (kind == Picture::Kind::Pattern) edit_->setInputMask(patternMask(picture().pattern()));
        noteShown();
        const bool digits = kind != Picture::Kind::String;
        edit_->setFixedWidth(charsWide(picture().width(), digits, edit_->fontMetrics()) + 12);
    }

protected:
    QString shownText() const override { return edit_->text(); }
    void showText(const QString& text) override { edit_->setText(text); }

private:
    QLineEdit* edit_;
};

class DateSpinControl final : public TextControl {
public:
    DateSpinControl(const FieldDecl& decl, Binding binding, ControlListener& listener,
                    QWidget* parent)
        : TextControl(decl, binding, listener), spin_(new DateSpin(picture(), parent)) {
        setWidget(spin_);
    }

protected:
    QString shownText() const override { return spin_->text(); }
    void showText(const QString& text) override { spin_->setShownText(text); }

private:
    DateSpin* spin_;
};

class CheckControl final : public FormControl {
public:
    CheckControl(const FieldDecl& decl, Binding binding, ControlListener& listener, QWidget* parent)
        : FormControl(decl, binding, listener),
          box_(new QCheckBox(toQString(decl.prompt), parent)) {
        setWidget(box_);
        QObject::connect(box_, &QCheckBox::clicked, box_, [this] {
            clicked_ = true;
            this->listener().controlCommitted(*this);
        });
    }

    void display(bool) override {
        clicked_ = false;
        box_->setChecked(holdsValue(binding().get(), decl().checked));
    }

    std::optional<std::string> accept() override {
        clicked_ = false;
        const std::string_view value = box_->isChecked() ? decl().checked : decl().unchecked;
        (void)binding().set(Value::text(std::string(value)));
        return std::nullopt;
    }

    bool modified() const override { return clicked_; }

private:
    QCheckBox* box_;
    bool clicked_ = false;
};

class OptionControl final : public FormControl {
public:
    OptionControl(const FieldDecl& decl, Binding binding, ControlListener& listener,
                  QWidget* parent)
        : FormControl(decl, binding, listener),
          group_(new QGroupBox(toQString(decl.prompt), parent)),
          buttons_(new QButtonGroup(group_)) {
        setWidget(group_);
        auto* row = new QHBoxLayout(group_);
        for (const RadioDecl& radio : decl.radios) {
            auto* button = new QRadioButton(toQString(radio.text), group_);
            buttons_->addButton(button);
            row->addWidget(button);
            adopt(button, radio.tip, radio.message.empty() ? decl.message : radio.message,
                  plainLabel(radio.text));
            QObject::connect(button, &QRadioButton::clicked, button, [this] {
                clicked_ = true;
                this->listener().controlCommitted(*this);
            });
        }
        row->addStretch();
    }

    QWidget* focusTarget() const override {
        if (QAbstractButton* checked = buttons_->checkedButton()) return checked;
        const QList<QAbstractButton*> radios = buttons_->buttons();
        return radios.isEmpty() ? static_cast<QWidget*>(group_) : radios.front();
    }

    void display(bool) override {
        clicked_ = false;
        // No radio is chosen while the value matches none of them.
        buttons_->setExclusive(false);
        const QList<QAbstractButton*> radios = buttons_->buttons();
        for (qsizetype i = 0; i < radios.size(); ++i) {
            radios[i]->setChecked(
                holdsValue(binding().get(), decl().radios[static_cast<std::size_t>(i)].value));
        }
        buttons_->setExclusive(true);
    }

    std::optional<std::string> accept() override {
        clicked_ = false;
        const qsizetype chosen = buttons_->buttons().indexOf(buttons_->checkedButton());
        if (chosen >= 0) {
            const std::string_view value = decl().radios[static_cast<std::size_t>(chosen)].value;
            (void)binding().set(Value::text(std::string(value)));
        }
        return std::nullopt;
    }

    bool modified() const override { return clicked_; }

    QWidget* radio(std::string_view value) const override {
        const std::vector<RadioDecl>& radios = decl().radios;
        for (std::size_t i = 0; i < radios.size(); ++i) {
            if (radios[i].value == value) return buttons_->buttons()[static_cast<qsizetype>(i)];
        }
        return nullptr;
    }

private:
    QGroupBox* group_;
    QButtonGroup* buttons_;
    bool clicked_ = false;
};

class DisplayControl final : public FormControl {
public:
    DisplayControl(const FieldDecl& decl, Binding binding, ControlListener& listener,
                   QWidget* parent)
        : FormControl(decl, binding, listener), label_(new QLabel(parent)) {
        setWidget(label_);
        // Read out as the value it shows, as any label is; what the value
        // is goes in the description.
        label_->setAccessibleDescription(label_->accessibleName());
        label_->setAccessibleName(QString());
        label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const bool numeric = picture().kind() == Picture::Kind::Numeric;
        label_->setAlignment((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        label_->setMinimumWidth(charsWide(picture().width(), numeric, label_->fontMetrics()));
        if (decl.heavy) {
            QFont font = label_->font();
            font.setBold(true);
            font.setPointSizeF(font.pointSizeF() * decl.scale);
            label_->setFont(font);
        }
    }

    void display(bool) override {
        const std::string shown =
            binding().bound() ? std::string(text::trim(picture().format(binding().get()))) : "";
        label_->setText(toQString(shown));
    }

    bool editable() const override { return false; }

private:
    QLabel* label_;
};

// A text area that asks for the lines its declaration gives it, not Qt's
// default page.
class LinesEdit final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    QSize sizeHint() const override { return minimumSize(); }
};

class TextAreaControl final : public FormControl {
public:
    TextAreaControl(const FieldDecl& decl, Binding binding, ControlListener& listener,
                    QWidget* parent)
        : FormControl(decl, binding, listener), edit_(new LinesEdit(parent)) {
        setWidget(edit_);
        edit_->setTabChangesFocus(true);
        const QFontMetrics metrics(edit_->font());
        edit_->setMinimumHeight(metrics.lineSpacing() * std::max(decl.lines, 1) + 12);
        edit_->setMinimumWidth(
            charsWide(std::min(picture().width(), 60), false, edit_->fontMetrics()) + 12);
        edit_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    void display(bool force) override {
        if (modified() && !force) return;
        shown_ = binding().bound() ? binding().get().toText() : "";
        edit_->setPlainText(toQString(shown_));
    }

    std::optional<std::string> accept() override {
        const std::string typed = fromQString(edit_->toPlainText());
        const std::size_t room = binding().def().spec.width;
        if (room > 0 && text::length(typed) > room) {
            return "Enter at most " + std::to_string(room) + " characters.";
        }
        (void)binding().set(Value::text(typed));
        display(true);
        return std::nullopt;
    }

    bool modified() const override { return fromQString(edit_->toPlainText()) != shown_; }

private:
    QPlainTextEdit* edit_;
    std::string shown_;
};

// A widget the window made (a list, a picture): a slot whose focus goes to
// a part of it takes its focus, messages and name there too.
class SlotControl final : public FormControl {
public:
    SlotControl(const FieldDecl& decl, Binding binding, ControlListener& listener, QWidget* slot)
        : FormControl(decl, binding, listener) {
        setWidget(slot);
        if (QWidget* inner = slot->focusProxy()) adopt(inner, decl.tip, decl.message, label());
    }
    QWidget* focusTarget() const override {
        return widget()->focusProxy() ? widget()->focusProxy() : widget();
    }
    bool editable() const override { return false; }
};

}  // namespace

std::string plainLabel(std::string_view prompt) {
    std::string out;
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] == '&' && i + 1 < prompt.size() && prompt[i + 1] != '&') continue;
        out.push_back(prompt[i]);
    }
    std::string_view trimmed = text::trim(out);
    if (trimmed.ends_with(':')) trimmed.remove_suffix(1);
    return std::string(text::trim(trimmed));
}

// A drop list fed by a file drop: the drop fills it and copies the chosen
// row into the form; the control keeps the row of the form's value chosen.
class DropControl final : public FormControl {
public:
    DropControl(const FieldDecl& decl, Binding binding, ControlListener& listener, QWidget* parent)
        : FormControl(decl, binding, listener), combo_(new QComboBox(parent)) {
        setWidget(combo_);
        QObject::connect(combo_, &QComboBox::activated, combo_, [this] {
            chosen_ = true;
            this->listener().controlNewSelection(*this);
            this->listener().controlCommitted(*this);
        });
    }

    void display(bool) override {
        if (drop_) drop_->SyncSelection();
    }

    // The file drop has already copied the chosen row into the form.
    std::optional<std::string> accept() override {
        chosen_ = false;
        return std::nullopt;
    }

    bool modified() const override { return chosen_; }

    QComboBox* combo() const { return combo_; }
    void attach(FileDrop& drop) { drop_ = &drop; }

private:
    QComboBox* combo_;
    FileDrop* drop_ = nullptr;
    bool chosen_ = false;
};

// A drop list of fixed choices (a drop list declared without records): it
// shows the choices' texts and stores the chosen one's value; no choice is
// shown while the value matches none.
class ChoiceControl final : public FormControl {
public:
    ChoiceControl(const FieldDecl& decl, Binding binding, ControlListener& listener,
                  QWidget* parent)
        : FormControl(decl, binding, listener), combo_(new QComboBox(parent)) {
        setWidget(combo_);
        for (const RadioDecl& choice : decl.radios) combo_->addItem(toQString(choice.text));
        // A choice is taken at once: nothing else depends on the row shown.
        QObject::connect(combo_, &QComboBox::activated, combo_, [this] {
            chosen_ = true;
            this->listener().controlCommitted(*this);
        });
    }

    void display(bool) override {
        chosen_ = false;
        combo_->setCurrentIndex(heldChoice());
    }

    std::optional<std::string> accept() override {
        chosen_ = false;
        // No choice shown is no value.
        const int chosen = combo_->currentIndex();
        const std::string_view value =
            chosen >= 0 ? decl().radios[static_cast<std::size_t>(chosen)].value : "";
        (void)binding().set(Value::text(std::string(value)));
        return std::nullopt;
    }

    bool modified() const override { return chosen_ || combo_->currentIndex() != heldChoice(); }

private:
    // The choice whose value the binding holds; -1 for none.
    int heldChoice() const {
        const std::vector<RadioDecl>& choices = decl().radios;
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (holdsValue(binding().get(), choices[i].value)) return static_cast<int>(i);
        }
        return -1;
    }

    QComboBox* combo_;
    bool chosen_ = false;
};

// A marked list's box, titled by the prompt, with the list inside; a click
// on a row, or Space on the current one, turns its mark on or off. The
// marks are the marked list's, which fills the list.
class MarkedListControl final : public FormControl {
public:
    MarkedListControl(const FieldDecl& decl, Binding binding, ControlListener& listener,
                      QWidget* parent)
        : FormControl(decl, binding, listener),
          box_(new QGroupBox(toQString(decl.prompt), parent)),
          list_(new QTreeView(box_)) {
        setWidget(box_);
        adopt(list_, decl.tip, decl.message, label());
        (new QVBoxLayout(box_))->addWidget(list_);
        list_->setRootIsDecorated(false);
        list_->setUniformRowHeights(true);
        list_->setAllColumnsShowFocus(true);
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        const QFontMetrics metrics(list_->font());
        // Room for the rows asked for under the header.
        list_->setMinimumHeight(metrics.lineSpacing() * (std::max(decl.lines, 1) + 1) + 16);
        list_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        QObject::connect(list_, &QTreeView::clicked, list_,
                         [this](const QModelIndex& index) { toggle(index.row()); });
    }

    QWidget* focusTarget() const override { return list_; }
    QTreeView* list() const { return list_; }
    void attach(MarkedList& marks) { marks_ = &marks; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_ && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            toggle(list_->currentIndex().row());
            return true;
        }
        return FormControl::eventFilter(watched, event);
    }

private:
    void toggle(int row) {
        if (!marks_ || row < 0 || row >= marks_->RowCount()) return;
        marks_->Toggle(row);
        listener().controlCommitted(*this);
    }

    QGroupBox* box_;
    QTreeView* list_;
    MarkedList* marks_ = nullptr;
};

// ---------------------------------------------------------------- Binding

const FieldDef& Binding::def() const {
    return record->def().fields[static_cast<std::size_t>(field)];
}

Value Binding::get() const {
    return record->get(field);
}

bool Binding::set(const Value& value) const {
    return record->set(field, value);
}

// ------------------------------------------------------------ FormControl

FormControl::FormControl(const FieldDecl& decl, Binding binding, ControlListener& listener)
    : decl_(decl), binding_(binding), listener_(listener), picture_(pictureFor(decl, binding)) {}

FormControl::~FormControl() = default;

void FormControl::setWidget(QWidget* widget) {
    widget_ = widget;
    adopt(widget, decl_.tip, decl_.message, label());
}

void FormControl::adopt(QWidget* part, std::string_view tip, std::string_view message,
                        std::string_view accessibleName) {
    parts_.push_back(part);
    part->installEventFilter(this);
    if (!tip.empty()) part->setToolTip(toQString(tip));
    giveStatusMessage(part, message);
    if (!accessibleName.empty()) part->setAccessibleName(toQString(accessibleName));
}

void giveStatusMessage(QWidget* widget, std::string_view message) {
    // A widget without a message clears the one before it.
    if (!message.empty()) widget->setProperty(kMessageProperty, toQString(message));
    widget->installEventFilter(new StatusMessageFilter(widget));
}

bool FormControl::owns(const QWidget* widget) const {
    for (const QWidget* part : parts_) {
        if (part == widget || part->isAncestorOf(widget)) return true;
    }
    return false;
}

std::string FormControl::label() const {
    if (!decl_.prompt.empty()) return plainLabel(decl_.prompt);
    if (!decl_.name.empty()) return std::string(decl_.name);
    if (binding_.bound()) return binding_.def().mixedName;
    return std::string(decl_.local);
}

void FormControl::display(bool) {}

QWidget* FormControl::radio(std::string_view) const {
    return nullptr;
}

std::optional<std::string> FormControl::accept() {
    return std::nullopt;
}

bool FormControl::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        listener_.controlSelected(*this);
    } else if (event->type() == QEvent::FocusOut) {
        // Typing is finished when the user leaves the control, not when a
        // message or another window takes the focus for a while. (Enter
        // presses the window's default button, whose pass reads every control.)
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool left = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (left && modified()) listener_.controlCommitted(*this);
    }
    return false;
}

// ------------------------------------------------------------------ making

std::unique_ptr<FormControl> makeControl(const FieldDecl& decl, Binding binding,
                                         ControlListener& listener, QWidget* parent,
                                         QWidget* slot) {
    switch (decl.kind) {
        case ControlKind::Entry:
            return std::make_unique<EntryControl>(decl, binding, listener, parent);
        case ControlKind::DateSpin:
            return std::make_unique<DateSpinControl>(decl, binding, listener, parent);
        case ControlKind::Check:
            return std::make_unique<CheckControl>(decl, binding, listener, parent);
        case ControlKind::Option:
            return std::make_unique<OptionControl>(decl, binding, listener, parent);
        case ControlKind::DropList:
            if (!decl.drop) return std::make_unique<ChoiceControl>(decl, binding, listener, parent);
            return std::make_unique<DropControl>(decl, binding, listener, parent);
        case ControlKind::Display:
            return std::make_unique<DisplayControl>(decl, binding, listener, parent);
        case ControlKind::TextArea:
            return std::make_unique<TextAreaControl>(decl, binding, listener, parent);
        case ControlKind::Slot:
        case ControlKind::List:
        case ControlKind::Tree:
            return std::make_unique<SlotControl>(decl, binding, listener, slot);
        case ControlKind::MarkedList:
            return std::make_unique<MarkedListControl>(decl, binding, listener, parent);
    }
    return nullptr;
}

void attachFileDrop(FormControl& control, FileDrop& drop) {
    if (auto* list = dynamic_cast<DropControl*>(&control)) list->attach(drop);
}

QComboBox* dropList(const FormControl& control) {
    const auto* list = dynamic_cast<const DropControl*>(&control);
    return list ? list->combo() : nullptr;
}

void attachMarkedList(FormControl& control, MarkedList& marks) {
    if (auto* box = dynamic_cast<MarkedListControl*>(&control)) box->attach(marks);
}

QTreeView* markedListView(const FormControl& control) {
    const auto* box = dynamic_cast<const MarkedListControl*>(&control);
    return box ? box->list() : nullptr;
}

}  // namespace bb
