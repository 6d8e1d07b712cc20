// A date entry with up and down arrows: the text is read and shown through
// a date picture ("@d2"), an empty text is "no date", and each step moves
// one day (from today when the text holds no date).
#pragma once

#include <QAbstractSpinBox>

#include "platform/picture.h"

namespace bb {

class DateSpin final : public QAbstractSpinBox {
public:
    DateSpin(Picture picture, QWidget* parent);

    void stepBy(int steps) override;
    void setShownText(const QString& text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    StepEnabled stepEnabled() const override;

private:
    Picture picture_;
};

}  // namespace bb
