#include "shell/splash_window.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "dictionary/process_values.h"
#include "ui/icons.h"
#include "ui/procedures.h"

namespace bb {

namespace {
constexpr std::string_view kPreferences = "Preferences";

QLabel* label(const QString& text, QWidget* parent, int pointSize, QFont::Weight weight,
              bool italic = false) {
    auto* line = new QLabel(text, parent);
    QFont font = line->font();
    font.setPointSize(pointSize);
    font.setWeight(weight);
    font.setItalic(italic);
    line->setFont(font);
    line->setAlignment(Qt::AlignCenter);
    return line;
}

// The sunken inner panel with the name, over the raised outer one.
QFrame* namePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName("namePanel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(36, 22, 36, 22);
    layout->setSpacing(2);
    auto* icon = new QLabel(panel);
    icon->setPixmap(programIcon("Winpyr.ico").pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    layout->addWidget(label("Brokerbook", panel, 36, QFont::Black));
    layout->addWidget(label("for Windows", panel, 15, QFont::Normal, true));
    return panel;
}
}  // namespace

SplashWindow::SplashWindow(QWidget& frame, ProcedureRegistry& registry,
                           std::chrono::milliseconds lifetime)
    : QWidget(&frame, Qt::SplashScreen | Qt::FramelessWindowHint), registry_(registry) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("splash");
    setAccessibleName("Brokerbook");
    setStyleSheet(
        "#splash { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3465a4, "
        "stop:1 #204a87); border: 2px outset #729fcf; }"
        "#namePanel { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #eef3fa, "
        "stop:1 #c9d9ee); }"
        "#namePanel QLabel { color: #16325c; }"
        "#version { color: #dbe6f4; }");
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 8);
    layout->addWidget(namePanel(this));
    QLabel* version = label(QStringLiteral("Version " BROKERBOOK_VERSION), this, 8, QFont::Normal);
    version->setObjectName("version");
    version->setAlignment(Qt::AlignRight);
    layout->addWidget(version);
    lifetime_.setSingleShot(true);
    lifetime_.setInterval(lifetime);
    connect(&lifetime_, &QTimer::timeout, this, &QWidget::close);
}

void SplashWindow::open() {
    processValues().CurrentProcedure.set("Splash");
    adjustSize();
    const QWidget* frame = parentWidget();
    move(frame->geometry().center() - rect().center());
    show();
    lifetime_.start();
    // Until the preferences procedure exists there is nothing to load.
    if (registry_.has(kPreferences)) registry_.call(kPreferences, NoRequest, "0");
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) close();
}

void SplashWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) close();
}

}  // namespace bb
