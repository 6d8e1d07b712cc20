// The widget of a window: a dialog, shown modally for a called window and as
// a child of the frame for a started one. It passes the user's ways of
// closing it (the close button, Escape), its resizing and its activation to
// its owner, the window manager, which decides whether it may close.
#pragma once

#include <QDialog>

namespace bb {

class WindowWidget final : public QDialog {
public:
    class Owner {
    public:
        virtual ~Owner() = default;
        // The user asks to close the window; true when it closes.
        virtual bool closeRequested() = 0;
        virtual void resized() = 0;
        // A window of its own (not a child of the frame, whose frame tells
        // its windows) has become the active one.
        virtual void activated() = 0;
    };

    explicit WindowWidget(Owner& owner);

    // Closes without asking the owner: the owner has decided.
    void closeForGood();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Owner& owner_;
    bool closing_ = false;
};

}  // namespace bb
