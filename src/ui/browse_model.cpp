#include "ui/browse_model.h"

#include <QColor>
#include <QStringList>
#include <algorithm>

#include "platform/text.h"
#include "ui/text_width.h"

namespace bb {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

Qt::Alignment alignmentOf(Justify justify) {
    switch (justify) {
        case Justify::Right:
        case Justify::Decimal:
            return Qt::AlignRight;
        case Justify::Centre:
            return Qt::AlignHCenter;
        case Justify::Left:
            break;
    }
    return Qt::AlignLeft;
}

QVariant colourOf(int rgb) {
    if (rgb == kDefaultColour) return {};
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

// The format's columns, line by line: a column flagged "/" ends its line.
std::vector<std::vector<int>> linesOf(const ListFormat& format) {
    std::vector<std::vector<int>> lines(1);
    for (std::size_t c = 0; c < format.columns.size(); ++c) {
        lines.back().push_back(static_cast<int>(c));
        if (format.columns[c].newLine && c + 1 < format.columns.size()) lines.emplace_back();
    }
    return lines;
}

}  // namespace

BrowseModel::BrowseModel(ListFormat format, QObject* parent)
    : QAbstractTableModel(parent), format_(std::move(format)), lines_(linesOf(format_)) {
    for (const auto& line : lines_) columns_ = std::max(columns_, static_cast<int>(line.size()));
}

int BrowseModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int BrowseModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

int BrowseModel::FormatColumn(int line, int column) const {
    if (line < 0 || line >= Lines()) return -1;
    const auto& columns = lines_[static_cast<std::size_t>(line)];
    return column >= 0 && column < static_cast<int>(columns.size())
               ? columns[static_cast<std::size_t>(column)]
               : -1;
}

int BrowseModel::ListColumnOf(int format) const {
    for (const auto& line : lines_) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (line[c] == format) return static_cast<int>(c);
        }
    }
    return 0;
}

int BrowseModel::FormatColumnOfField(int field) const {
    for (std::size_t f = 0; f < format_.columns.size(); ++f) {
        const int number = format_.columns[f].fieldNumber;
        if ((number > 0 ? number - 1 : static_cast<int>(f)) == field) return static_cast<int>(f);
    }
    return -1;
}

QString BrowseModel::CellText(int formatColumn, const Value& value) const {
    const ListColumn& column = format_.columns[static_cast<std::size_t>(formatColumn)];
    const std::string shown = column.picture ? column.picture->format(value) : value.toText();
    return toQString(text::trim(shown));
}

QString BrowseModel::text(int row, int column) const {
    const BrowseRow& r = Row(row);
    QStringList lines;
    for (int line = 0; line < Lines(); ++line) {
        const int f = FormatColumn(line, column);
        if (f < 0) {
            lines.push_back(QString());
            continue;
        }
        // A column shows the row field its format names, else the one in its place.
        const int number = format_.columns[static_cast<std::size_t>(f)].fieldNumber;
        const std::size_t field = static_cast<std::size_t>(number > 0 ? number - 1 : f);
        lines.push_back(field < r.cells.size() ? CellText(f, r.cells[field]) : QString());
    }
    return lines.join('\n');
}

QString BrowseModel::heading(int column) const {
    QStringList lines;
    for (int line = 0; line < Lines(); ++line) {
        const int f = FormatColumn(line, column);
        if (f < 0) continue;
        const ListColumn& c = format_.columns[static_cast<std::size_t>(f)];
        // A group's heading stands over the headings of its columns.
        if (c.group >= 0) {
            const ListHeader& group = format_.groups[static_cast<std::size_t>(c.group)].header;
            if (group.present) lines.push_back(toQString(group.text));
        }
        if (c.header.present) lines.push_back(toQString(c.header.text));
    }
    return lines.join('\n');
}

const RowColours* BrowseModel::colours(int row, int column) const {
    const BrowseRow& r = Row(row);
    const int f = FormatColumn(0, column);
    if (f < 0 || static_cast<std::size_t>(f) >= r.colours.size()) return nullptr;
    return &r.colours[static_cast<std::size_t>(f)];
}

QVariant BrowseModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) return {};
    const int f = FormatColumn(0, index.column());
    const RowColours* c = colours(index.row(), index.column());
    switch (role) {
        case Qt::DisplayRole:
            return text(index.row(), index.column());
        case Qt::TextAlignmentRole:
            if (f < 0) return {};
            return QVariant::fromValue(
                alignmentOf(format_.columns[static_cast<std::size_t>(f)].justify) |
                (Lines() > 1 ? Qt::AlignTop : Qt::AlignVCenter));
        case Qt::ForegroundRole:
            return c ? colourOf(c->foreground) : QVariant();
        case Qt::BackgroundRole:
            return c ? colourOf(c->background) : QVariant();
        case kSelectedForegroundRole:
            return c ? colourOf(c->selectedForeground) : QVariant();
        case kSelectedBackgroundRole:
            return c ? colourOf(c->selectedBackground) : QVariant();
        default:
            return {};
    }
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_) return {};
    if (role == Qt::DisplayRole) return heading(section);
    if (role == Qt::TextAlignmentRole) {
        const int f = FormatColumn(0, section);
        if (f < 0) return {};
        const ListHeader& h = format_.columns[static_cast<std::size_t>(f)].header;
        // A heading takes its column's justification unless it has its own.
        const Justify justify =
            h.justifyGiven ? h.justify : format_.columns[static_cast<std::size_t>(f)].justify;
        return QVariant::fromValue(alignmentOf(justify) | Qt::AlignVCenter);
    }
    return {};
}

int BrowseModel::ColumnWidth(int column, const QWidget& view) const {
    int width = 0;
    for (int line = 0; line < Lines(); ++line) {
        const int f = FormatColumn(line, column);
        if (f >= 0)
            width = std::max(width,
                             listColumnWidth(format_.columns[static_cast<std::size_t>(f)], view));
    }
    return width;
}

void BrowseModel::Prepend(BrowseRow row) {
    beginInsertRows({}, 0, 0);
    rows_.push_front(std::move(row));
    endInsertRows();
}

void BrowseModel::Append(BrowseRow row) {
    beginInsertRows({}, Count(), Count());
    rows_.push_back(std::move(row));
    endInsertRows();
}

void BrowseModel::Insert(int at, BrowseRow row) {
    beginInsertRows({}, at, at);
    rows_.insert(rows_.begin() + at, std::move(row));
    endInsertRows();
}

void BrowseModel::Remove(int i) {
    beginRemoveRows({}, i, i);
    rows_.erase(rows_.begin() + i);
    endRemoveRows();
}

void BrowseModel::Clear() {
    if (rows_.empty()) return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void BrowseModel::Changed(int i) {
    emit dataChanged(index(i, 0), index(i, std::max(columns_ - 1, 0)));
}

void BrowseDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!(option->state & QStyle::State_Selected)) return;
    const QVariant foreground = index.data(BrowseModel::kSelectedForegroundRole);
    const QVariant background = index.data(BrowseModel::kSelectedBackgroundRole);
    if (foreground.isValid())
        option->palette.setColor(QPalette::HighlightedText, foreground.value<QColor>());
    if (background.isValid())
        option->palette.setColor(QPalette::Highlight, background.value<QColor>());
}

}  // namespace bb
