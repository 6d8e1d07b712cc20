#include "reporting/preview_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/message_service.h"

namespace bb {

namespace {

// Most pages a tile grid shows in either direction.
constexpr int kMostTiles = 10;

QSpinBox* entry(int value, int least, int most, const QString& name) {
    auto* box = new QSpinBox;
    box->setRange(least, most);
    box->setValue(value);
    box->setAccessibleName(name);
    return box;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

JumpDialog::JumpDialog(int current, int pages, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Go to Page");
    page = entry(current, 1, pages, "Page number");
    page->setToolTip(QString("Enter a page number from 1 to %1").arg(pages));
    auto* form = new QFormLayout;
    form->addRow("&Page number:", page);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    page->selectAll();
}

int JumpDialog::Page() const {
    return page->value();
}

TileGridDialog::TileGridDialog(int acrossNow, int downNow, int pages, QWidget* parent)
    : QDialog(parent), pages_(pages) {
    setWindowTitle("Pages Shown");
    across = entry(acrossNow, 1, kMostTiles, "Pages across");
    down = entry(downNow, 1, kMostTiles, "Pages down");
    refusal = new QLabel;
    refusal->setWordWrap(true);
    refusal->hide();
    auto* form = new QFormLayout;
    form->addRow("Pages &across:", across);
    form->addRow("Pages &down:", down);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(refusal);
    layout->addWidget(okCancel(this));
}

void TileGridDialog::accept() {
    if (across->value() * down->value() > pages_) {
        messages().beep(Beep::Default);
        refusal->setText(
            QString("The report has %1 pages: across times down may not be more.").arg(pages_));
        refusal->show();
        across->setFocus();
        across->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace bb
