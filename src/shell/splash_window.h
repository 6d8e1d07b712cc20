// The splash (procedure `Splash`): a borderless window over the frame with
// the product's name, shown while the preferences load at start-up. It goes
// when its three minutes are up, when it is clicked (left, double or right),
// or when the frame takes the user's first command.
//
// The window deletes itself when it closes; its creator keeps a QPointer.
// Used from the GUI thread only.
#pragma once

#include <chrono>

#include <QTimer>
#include <QWidget>

namespace bb {

class ProcedureRegistry;

class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kLifetime = std::chrono::minutes(3);

    SplashWindow(QWidget& frame, ProcedureRegistry& registry,
                 std::chrono::milliseconds lifetime = kLifetime);

    // Records `Splash` as the current procedure, shows the window over the
    // frame, arms its timer and loads the preferences (once the preferences
    // procedure exists).
    void open();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ProcedureRegistry& registry_;
    QTimer lifetime_;
};

}  // namespace bb
