#include "ui/dialog_message_service.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>
#include <QStyle>

namespace bb {

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Hand:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    Button ours;
    QMessageBox::StandardButton theirs;
};

constexpr ButtonPair kButtons[] = {
    {ButtonOk, QMessageBox::Ok},         {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},         {ButtonCancel, QMessageBox::Cancel},
    {ButtonAbort, QMessageBox::Abort},   {ButtonRetry, QMessageBox::Retry},
    {ButtonIgnore, QMessageBox::Ignore},
};

// A box is never narrower than its title with the title bar's buttons, so
// no window manager shortens the title: a strut under the box's grid.
void keepTitleWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const int bar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    const int wide = title.horizontalAdvance(box.windowTitle()) + 4 * bar;
    grid->addItem(new QSpacerItem(wide, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

Button DialogMessageService::show(const MessageRequest& request) {
    QMessageBox box(toQt(request.icon), QString::fromStdString(request.title),
                    QString::fromStdString(request.text).replace('|', '\n'), QMessageBox::NoButton,
                    QApplication::activeWindow());
    for (const ButtonPair& b : kButtons) {
        if (request.buttons & b.ours) box.addButton(b.theirs);
    }
    for (const ButtonPair& b : kButtons) {
        if (request.defaultButton == b.ours) box.setDefaultButton(b.theirs);
    }
    keepTitleWhole(box);
    const int pressed = box.exec();
    for (const ButtonPair& b : kButtons) {
        if (pressed == b.theirs) return b.ours;
    }
    // Closing the box with Escape answers like its cancel button would.
    return (request.buttons & ButtonCancel) ? ButtonCancel
                                            : (request.buttons & ButtonNo ? ButtonNo : ButtonOk);
}

void DialogMessageService::beep(Beep) {
    QApplication::beep();
}

}  // namespace bb
