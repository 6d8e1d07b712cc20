#include "shell/sponsor_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <memory>

#include "ui/frame_services.h"
#include "ui/help_topics.h"
#include "ui/icons.h"
#include "ui/layout_strategies.h"
#include "ui/procedures.h"

namespace bb {

namespace {
// The four lines, set when the program is built for a firm.
constexpr const char* kSponsorLines[] = {BROKERBOOK_SPONSOR_NAME, BROKERBOOK_SPONSOR_ADDRESS,
                                         BROKERBOOK_SPONSOR_CITY, BROKERBOOK_SPONSOR_PHONE};

QPushButton* button(const QString& text, const QString& message, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setStatusTip(message);
    b->setToolTip(message);
    return b;
}
}  // namespace

SponsorWindow::SponsorWindow(ProcedureRegistry& registry) : registry_(registry) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Sponsor/Broker-Dealer");
    setWindowIcon(programIcon("Winpyr.ico"));
    setHelpTopic(*this, "Sponsor");

    auto* details = new QGroupBox(this);
    auto* lines = new QVBoxLayout(details);
    for (const char* text : kSponsorLines) {
        auto* line = new QLabel(text, details);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines->addWidget(line);
    }
    QFont name = lines->itemAt(0)->widget()->font();
    name.setBold(true);
    lines->itemAt(0)->widget()->setFont(name);

    QPushButton* directory =
        button("&Directory", "Display the sponsor/broker-dealer directory", this);
    QPushButton* close = button("&Close", "Exit and return to your previous location", this);
    close->setDefault(true);
    connect(directory, &QPushButton::clicked, this, &SponsorWindow::showDirectory);
    connect(close, &QPushButton::clicked, this, &SponsorWindow::closeWindow);
    // Close is the window's cancel button: Esc within the window presses it.
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &SponsorWindow::closeWindow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(details);
    addButtonRow(*layout, Qt::RightEdge, {directory, close});
    keepFixedSize(*this);
}

void SponsorWindow::showDirectory() {
    // No directory is built: the registry reports "The Procedure
    // SponsorDirectory has not been defined." and the window stays as it is.
    registry_.call("SponsorDirectory");
}

void SponsorWindow::closeWindow() {
    // Inside the frame the window sits in a sub-window, which must close with it.
    if (auto* holder = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        holder->close();
    } else {
        close();
    }
}

void registerSponsorWindow(ProcedureRegistry& registry) {
    registry.add("Sponsor", [&registry](std::string_view) {
        auto window = std::make_unique<SponsorWindow>(registry);
        frameServices().addChildWindow(*window.release());  // it deletes itself on close
    });
}

}  // namespace bb
