// Controls bound to values. Each control of a declared window shows its
// bound value (a record field or a window variable) through its picture and,
// when the user has changed it, reads it back through the same picture: bad
// input is refused with the picture's own words and never stored.
//
// A control tells its listener (the window) when the user has finished a
// change (left an entry, clicked a box or radio, chose a row) and when it
// gets the focus; the window turns those into its events. A control shows
// its status-bar message while it has the focus or the mouse.
//
// Controls belong to their window; their widgets belong to the window's
// widget tree. Used from the GUI thread only.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/record.h"
#include "ui/window_decl.h"

class QComboBox;
class QTreeView;
class QWidget;

namespace bb {

class FileDrop;
class FormControl;
class MarkedList;

// The object name of the zone of a window's own status bar that shows the
// messages of its controls.
inline constexpr char kMessageZoneName[] = "statusZone1";

// The value a control is bound to.
struct Binding {
    Record* record = nullptr;
    int field = -1;

    bool bound() const { return record != nullptr && field >= 0; }
    const FieldDef& def() const;
    Value get() const;
    // False when the field cannot hold the value.
    [[nodiscard]] bool set(const Value& value) const;
};

class ControlListener {
public:
    virtual ~ControlListener() = default;
    // The user finished changing the control's value.
    virtual void controlCommitted(FormControl& control) = 0;
    // The user chose another row of a drop list (before its commit).
    virtual void controlNewSelection(FormControl& control) = 0;
    virtual void controlSelected(FormControl& control) = 0;
};

class FormControl : public QObject {
public:
    FormControl(const FieldDecl& decl, Binding binding, ControlListener& listener);
    ~FormControl() override;

    const FieldDecl& decl() const { return decl_; }
    const Binding& binding() const { return binding_; }
    // The widget the layout places.
    QWidget* widget() const { return widget_; }
    // The widget that takes the focus when the control is selected.
    virtual QWidget* focusTarget() const { return widget_; }
    // Every widget of the control (a radio group's radios too).
    const std::vector<QWidget*>& parts() const { return parts_; }
    // The radio button of an option that stores `value`; null for other
    // controls and for a value no radio stores.
    virtual QWidget* radio(std::string_view value) const;
    bool owns(const QWidget* widget) const;
    // The prompt as the user reads it: without "&" and a trailing colon.
    std::string label() const;

    // Shows the bound value; `force` also replaces what the user is typing.
    virtual void display(bool force = false);
    // Reads what the control shows into the bound value; the reason when
    // the control's picture refuses it (the value is then left alone).
    virtual std::optional<std::string> accept();
    // Whether the control shows something the user typed or chose that is
    // not yet read back.
    virtual bool modified() const { return false; }
    // Whether the user can change it (display fields and slots cannot).
    virtual bool editable() const { return true; }
    const Picture& picture() const { return picture_; }

protected:
    void setWidget(QWidget* widget);
    // Watches `part` for focus and the mouse, and gives it its tip, status
    // message and accessible name.
    void adopt(QWidget* part, std::string_view tip, std::string_view message,
               std::string_view accessibleName);
    bool eventFilter(QObject* watched, QEvent* event) override;
    ControlListener& listener() const { return listener_; }

private:
    const FieldDecl& decl_;
    Binding binding_;
    ControlListener& listener_;
    Picture picture_;
    QWidget* widget_ = nullptr;
    std::vector<QWidget*> parts_;
};

// "&Company Name:" as the user reads it: "Company Name".
std::string plainLabel(std::string_view prompt);

// The control for `decl`, its widgets made children of `parent`. A slot's
// widget is `slot`, which the window made.
std::unique_ptr<FormControl> makeControl(const FieldDecl& decl, Binding binding,
                                         ControlListener& listener, QWidget* parent,
                                         QWidget* slot = nullptr);

// Shows `message` in the frame's status bar (and in the message zone of the
// window's own, when it has one) while `widget` has the focus or the mouse
// (an empty message clears the bar).
void giveStatusMessage(QWidget* widget, std::string_view message);

// Connects a drop list to the file drop that fills it.
void attachFileDrop(FormControl& control, FileDrop& drop);
// The drop list's combo box, or null for other controls.
QComboBox* dropList(const FormControl& control);
// Connects a marked list's box to the marked list that fills it and keeps
// its marks.
void attachMarkedList(FormControl& control, MarkedList& marks);
// The marked list's list, or null for other controls.
QTreeView* markedListView(const FormControl& control);

}  // namespace bb
