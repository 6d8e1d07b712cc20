// Locators: what turns the user's typing into a value of a sort order's free
// key element (the first key component the range does not fix), at which the
// browse then positions.
//
// The step locator (`KeystrokeLocator`) has no control of its own: a letter
// typed on the list steps through the records that begin with it, and a new
// letter jumps to its first record. The entry locator (`TypedLocator`) owns
// an entry control: keys typed on the list go into the entry, and accepting
// the entry makes its text the free element's value.
//
// A locator knows its browse only through `LocatorBrowse`, the little it
// needs of it. Used from the GUI thread only.
#pragma once

#include <QMetaObject>

#include <cstddef>
#include <string>

#include "platform/record.h"

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace bb {

// What a locator needs of the browse that owns it.
class LocatorBrowse {
public:
    virtual ~LocatorBrowse() = default;
    // Rows the list holds now.
    virtual int RowCount() const = 0;
    // Moves the selection one row down as the row-down scroll does (at the
    // last row the page shifts by one row) and copies the newly selected row
    // into the record buffer.
    virtual void SelectNextRow() = 0;
};

// One field of a record buffer.
struct RecordField {
    Record* record = nullptr;
    int field = -1;
};

class Locator {
public:
    Locator() = default;
    virtual ~Locator() = default;
    Locator(const Locator&) = delete;
    Locator& operator=(const Locator&) = delete;

    void Setup(QLineEdit* control, RecordField freeElement, bool noCase, LocatorBrowse* browse);

    // The overridable operations, in dispatch order.
    virtual void Teardown();
    // After the browse has positioned at the locator's value.
    virtual void Reset();
    // After a scroll and after a sort change.
    virtual void Clear();
    virtual void ArmKeys(QWidget* list);
    // A control other than the browse's buttons was accepted; true when the
    // browse should position at the free element.
    virtual bool OnAccepted(const QWidget* accepted);
    // A key the list did not handle; true when the locator took it and the
    // browse should position at the free element.
    virtual bool OnKey(const QKeyEvent& key);
    virtual void RefreshControls();

    // Disables the entry control while the list has no rows, enables it
    // otherwise; a locator without a control is left alone.
    void UpdateEnabled(int rows);

    LocatorBrowse* VIEWMANAGER = nullptr;
    QLineEdit* CONTROL = nullptr;  // the entry control, null for the step locator
    RecordField FREEELEMENT;
    bool NOCASE = false;  // compare characters without regard to case

protected:
    // The printable character the key types, or 0 (function keys, Enter,
    // Ctrl combinations).
    static char32_t typedCharacter(const QKeyEvent& key);
};

class KeystrokeLocator : public Locator {
public:
    bool OnKey(const QKeyEvent& key) override;
};

class TypedLocator : public Locator {
public:
    static constexpr std::size_t kShadowWidth = 40;

    ~TypedLocator() override;

    // Also binds SHADOW to the control: the control shows it and may hold no
    // more, and whatever the user types lands in it.
    void Setup(QLineEdit* control, RecordField freeElement, bool noCase, LocatorBrowse* browse);

    void Teardown() override;
    // Empties SHADOW and the free element, then Set.
    void Clear() override;
    // The entry control was accepted: its text becomes SHADOW and the free
    // element; true when that is not blank.
    bool OnAccepted(const QWidget* accepted) override;
    // Focuses the entry control and types the key's character into it.
    bool OnKey(const QKeyEvent& key) override;
    void RefreshControls() override;
    // Copies SHADOW to the free element and redisplays the control.
    virtual void Set();

    std::string SHADOW;

private:
    void display();
    void unbind();

    QMetaObject::Connection binding_;
};

}  // namespace bb
