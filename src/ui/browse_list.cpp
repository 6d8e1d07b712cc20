#include "ui/browse_list.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "ui/browse_model.h"

namespace bb {

namespace {

// Room around a line of text in a row, as the platform's lists leave it.
constexpr int kRowPadding = 6;
// A notch of the wheel (120 eighths of a degree) moves three rows, as
// lists and editors do.
constexpr int kWheelNotch = 120;
constexpr int kRowsPerNotch = 3;
// The thumb's place is a percentage of the whole order.
constexpr int kThumbRange = 100;
constexpr int kThumbPage = 10;

// The list's event for a key that moves through the records, if it is one.
std::optional<EventKind> moveOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others =
        key.modifiers() & ~(Qt::ControlModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier) return std::nullopt;
    switch (key.key()) {
        case Qt::Key_Up:
            return EventKind::ScrollUp;
        case Qt::Key_Down:
            return EventKind::ScrollDown;
        case Qt::Key_PageUp:
            return EventKind::PageUp;
        case Qt::Key_PageDown:
            return EventKind::PageDown;
        // Home and End go to the ends of the whole list, with Ctrl or without.
        case Qt::Key_Home:
            return EventKind::ScrollTop;
        case Qt::Key_End:
            return EventKind::ScrollBottom;
        default:
            return std::nullopt;
    }
}

bool typesText(const QKeyEvent& key) {
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return (key.modifiers() & commands) == 0 && !key.text().isEmpty() &&
           key.text().front().isPrint();
}

}  // namespace

// --------------------------------------------------------------- BrowseTable

BrowseTable::BrowseTable(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    setItemDelegate(new BrowseDelegate(this));
    SetLines(1);
}

void BrowseTable::SetLines(int lines) {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() * lines + kRowPadding);
}

int BrowseTable::VisibleRows() const {
    const int height = verticalHeader()->defaultSectionSize();
    return std::max(1, viewport()->height() / std::max(height, 1));
}

void BrowseTable::ShowSelected(int row) {
    const QSignalBlocker quiet(selectionModel());
    if (row < 0 || !model() || row >= model()->rowCount()) {
        clearSelection();
        setCurrentIndex({});
        viewport()->update();
        return;
    }
    const QModelIndex at = model()->index(row, 0);
    selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    viewport()->update();
}

void BrowseTable::KeepDesignedWidths() {
    const int last = model() ? model()->columnCount() - 1 : -1;
    lastDesigned_ = last < 0 ? 0 : columnWidth(last);
    fillWidth();
}

void BrowseTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fillWidth();
}

void BrowseTable::fillWidth() {
    const int last = model() ? model()->columnCount() - 1 : -1;
    if (last < 0) return;
    int others = 0;
    for (int c = 0; c < last; ++c) others += columnWidth(c);
    setColumnWidth(last, std::max(lastDesigned_, viewport()->width() - others));
}

QSize BrowseTable::sizeHint() const {
    // The designed widths: a widened last column must not make the list ask
    // for ever more room.
    const int last = model() ? model()->columnCount() - 1 : -1;
    int width = 2 * frameWidth() + std::max(lastDesigned_, 0);
    for (int c = 0; c < last; ++c) width += columnWidth(c);
    const int header = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->sizeHint().height();
    const int height =
        2 * frameWidth() + header + designedRows_ * verticalHeader()->defaultSectionSize();
    return {width, height};
}

QSize BrowseTable::minimumSizeHint() const {
    // A list can shrink to a few rows; it never hides its heading.
    const QSize designed = sizeHint();
    return {std::min(designed.width(), 120),
            designed.height() - (designedRows_ - 3) * verticalHeader()->defaultSectionSize()};
}

void BrowseTable::keyPressEvent(QKeyEvent* event) {
    if (!listener_) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (const auto move = moveOf(*event)) {
        listener_->listScrolled(*move);
    } else if (typesText(*event)) {
        listener_->listTyped(event->keyCombination(), event->text());
    } else {
        // Enter presses the window's default button, Escape closes it, Tab
        // leaves the list: the window sees them.
        event->ignore();
    }
}

void BrowseTable::wheelEvent(QWheelEvent* event) {
    if (!listener_) return;
    wheelDelta_ += event->angleDelta().y();
    while (std::abs(wheelDelta_) >= kWheelNotch) {
        const bool up = wheelDelta_ > 0;
        wheelDelta_ += up ? -kWheelNotch : kWheelNotch;
        for (int i = 0; i < kRowsPerNotch; ++i)
            listener_->listScrolled(up ? EventKind::ScrollUp : EventKind::ScrollDown);
    }
    event->accept();
}

void BrowseTable::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    const int row = rowAt(static_cast<int>(event->position().y()));
    if (listener_ && row >= 0 && event->button() == Qt::LeftButton)
        listener_->listRowChosen(row, false);
}

void BrowseTable::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(static_cast<int>(event->position().y()));
    if (!listener_ || row < 0 || event->button() != Qt::LeftButton) return;
    // The row double-clicked is the one acted on.
    listener_->listRowChosen(row, false);
    listener_->listDoubleClicked();
}

void BrowseTable::contextMenuEvent(QContextMenuEvent* event) {
    int row = currentIndex().row();
    if (event->reason() == QContextMenuEvent::Mouse) row = rowAt(event->pos().y());
    if (listener_ && row >= 0) listener_->listRowChosen(row, true);
}

// ---------------------------------------------------------------- BrowseList

BrowseList::BrowseList(QWidget* parent)
    : QWidget(parent), table_(new BrowseTable(this)), bar_(new QScrollBar(Qt::Vertical, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(table_);
    row->addWidget(bar_);
    setFocusProxy(table_);
    bar_->setRange(0, kThumbRange);
    bar_->setPageStep(kThumbPage);
    bar_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar_, &QScrollBar::actionTriggered, this,
                     [this](int action) { barAction(action); });
    QObject::connect(bar_, &QScrollBar::sliderReleased, this, [this] {
        if (listener_) listener_->listScrolled(EventKind::ScrollDrag);
    });
}

void BrowseList::setListener(BrowseListener* listener) {
    listener_ = listener;
    table_->setListener(listener);
}

// The format's widths were chosen for another font: a column is never
// narrower than its heading, or the heading would be cut.
int BrowseList::headingWidth(int column) const {
    const QHeaderView& header = *table_->horizontalHeader();
    const QFontMetrics metrics(header.font());
    int widest = 0;
    const QString heading = table_->model()->headerData(column, Qt::Horizontal).toString();
    for (const QString& line : heading.split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest == 0 ? 0 : widest + 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin);
}

void BrowseList::SetModel(BrowseModel* model) {
    table_->setModel(model);
    table_->SetLines(model->Lines());
    for (int c = 0; c < model->columnCount(); ++c)
        table_->setColumnWidth(c, std::max(model->ColumnWidth(c, *table_), headingWidth(c)));
    table_->KeepDesignedWidths();
    bool headed = false;
    for (int c = 0; c < model->columnCount(); ++c)
        headed =
            headed || !model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty();
    table_->horizontalHeader()->setVisible(headed);
    updateGeometry();
}

QSize BrowseList::sizeHint() const {
    // The bar comes and goes as pages fill, after the window has taken its
    // size: the list keeps room for it, or the bar would cut the columns.
    QSize hint = QWidget::sizeHint();
    if (bar_->isHidden()) hint.rwidth() += bar_->sizeHint().width();
    return hint;
}

void BrowseList::PlaceThumb(int percent) {
    const QSignalBlocker quiet(bar_);
    bar_->setValue(std::clamp(percent, 0, kThumbRange));
}

int BrowseList::Thumb() const {
    return bar_->value();
}

void BrowseList::barAction(int action) {
    if (!listener_) return;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            listener_->listScrolled(EventKind::ScrollDown);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            listener_->listScrolled(EventKind::ScrollUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            listener_->listScrolled(EventKind::PageDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            listener_->listScrolled(EventKind::PageUp);
            break;
        case QAbstractSlider::SliderToMinimum:
            listener_->listScrolled(EventKind::ScrollTop);
            break;
        case QAbstractSlider::SliderToMaximum:
            listener_->listScrolled(EventKind::ScrollBottom);
            break;
        default:
            break;  // a drag is taken when the thumb is let go
    }
}

}  // namespace bb
