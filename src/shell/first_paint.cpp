#include "shell/first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace bb {

namespace {

class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget& window, std::function<void()> then)
        : QObject(&window), then_(std::move(then)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, then_);  // once the paint is done
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

void whenFirstPainted(QWidget& window, std::function<void()> then) {
    new FirstPaint(window, std::move(then));  // the window owns it
}

}  // namespace bb
