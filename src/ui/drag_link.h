// Drag and drop between windows, by identifier. Two windows that cooperate
// agree on an identifier for each kind of thing dragged ("Member": a
// customer dragged into a group); a drag carries one value (a customer's
// number) under a MIME type private to this process, made from the
// identifier, so that the window it is dropped on reads the value from the
// drag itself and the user's clipboard is never touched. A drop target
// accepts the one identifier it names; over it, a drag of any other kind
// is refused and the cursor shows so.
//
// A DragLink serves one control (for a list or tree, the mouse and the
// drops arrive at its viewport). As a source it starts a drag when the left
// button is pressed on it and moved past the platform's drag distance,
// carrying what its value source gives at that moment; as a target it hands
// the value of every accepted drop to its handler. Either part is switched
// on and off while the control lives; the link belongs to the control.
//
// Used from the GUI thread only.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QMimeData;
class QWidget;

namespace bb {

// The MIME type a drag of `id` carries its value under.
QString dragMimeType(std::string_view id);
// What a drag of `id` carrying `value` holds.
std::unique_ptr<QMimeData> dragData(std::string_view id, std::string_view value);
// The value a drag of `id` carries; none when `data` is of another kind.
std::optional<std::string> draggedValue(const QMimeData* data, std::string_view id);

class DragLink final : public QObject {
public:
    // The value to drag now; empty: nothing to drag (an empty list).
    using ValueSource = std::function<std::string()>;
    // A drop of the target's kind: its value and where it landed (for a
    // list or tree, in its viewport, as its indexAt takes it).
    using DropHandler = std::function<void(const std::string& value, QPoint at)>;

    // The link of `control`, made on first use.
    static DragLink& of(QWidget& control);

    // Drags from the control are of `id` and carry what `value` gives; the
    // control's tip becomes `tip`. An empty `id` stops drags and clears
    // the tip.
    void setSource(std::string_view id, std::string_view tip, ValueSource value);
    const std::string& sourceId() const { return sourceId_; }
    // What a drag started now carries; null when the control is no source
    // or has nothing to drag.
    std::unique_ptr<QMimeData> dragData() const;
    // Drops of `id` go to `handler`; an empty `id` accepts none.
    void setTarget(std::string_view id, DropHandler handler);
    const std::string& targetId() const { return targetId_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DragLink(QWidget& control);
    bool mouseEvent(QEvent* event);
    bool dropEvent(QEvent* event);
    void startDrag();

    QWidget& control_;
    QWidget& surface_;  // where the mouse and the drops arrive
    std::string sourceId_;
    ValueSource value_;
    std::string targetId_;
    DropHandler dropped_;
    std::optional<QPoint> pressedAt_;  // the left button is down here
};

}  // namespace bb
