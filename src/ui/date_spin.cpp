#include "ui/date_spin.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include "platform/date.h"

namespace bb {

DateSpin::DateSpin(Picture picture, QWidget* parent)
    : QAbstractSpinBox(parent), picture_(std::move(picture)) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(false);
}

void DateSpin::stepBy(int steps) {
    const Picture::Result read = picture_.deformat(text().toStdString());
    std::int64_t day = read.ok() ? read.value->toNumber().toInt64() : kNoDate;
    if (day == kNoDate) day = Clock::today();
    day += steps;
    // Never past the first day there is.
    if (day < 1) day = 1;
    setShownText(QString::fromStdString(picture_.format(Value::number(day))));
    lineEdit()->selectAll();
}

void DateSpin::setShownText(const QString& text) {
    lineEdit()->setText(text);
}

QAbstractSpinBox::StepEnabled DateSpin::stepEnabled() const {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

QSize DateSpin::sizeHint() const {
    ensurePolished();
    // As wide as the picture's longest date in digits, plus the arrows.
    const QFontMetrics metrics(font());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(metrics.horizontalAdvance(QString(picture_.width() + 1, QChar('0'))),
                        metrics.height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

}  // namespace bb
