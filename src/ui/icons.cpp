#include "ui/icons.h"

#include <QIconEngine>
#include <QString>
#include <algorithm>
#include <array>
#include <utility>

namespace bb {

namespace {

// Reads its picture only when it is first drawn: parsing a picture is the
// dearest part of opening the frame, and most icons made then (menus, window
// icons, strips of windows not yet open) are never drawn at all.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(QString file) : file_(std::move(file)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().pixmap(size, mode, state);
    }
    // The pictures are square and scale to any size: laying a button out
    // needs no drawing.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(file_); }
    QString key() const override { return QStringLiteral("deferred"); }

private:
    const QIcon& loaded() {
        if (icon_.isNull()) icon_ = QIcon(file_);
        return icon_;
    }

    QString file_;
    QIcon icon_;
};

// The windows' icon names and the theme's picture that stands for each.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kIcons{{
    {"VCRFIRST.ICO", "go-top"},
    {"VCRPRIOR.ICO", "go-prior-page"},
    {"VCRUP.ICO", "go-up"},
    {"VCRDOWN.ICO", "go-down"},
    {"VCRNEXT.ICO", "go-next-page"},
    {"VCRLAST.ICO", "go-bottom"},
    {"MARK.ICO", "go-jump"},
    {"INSERT.ICO", "document-new"},
    {"Openfold.ico", "accessories-text-editor"},
    {"DELETE.ICO", "user-trash"},
    {"DITTO.ICO", "edit-paste"},
    {"Help.ico", "help-browser"},
    {"Customer.ico", "system-users"},
    {"Winpyr.ico", "x-office-address-book"},
    {"Phone2.ico", "contact-new"},
    {"Phone.ico", "contact-new"},
}};
}  // namespace

QIcon programIcon(std::string_view name) {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (const auto& [iconName, picture] : kIcons) {
        if (wanted.compare(
                QString::fromUtf8(iconName.data(), static_cast<qsizetype>(iconName.size())),
                Qt::CaseInsensitive) == 0) {
            return QIcon(new DeferredIconEngine(
                QStringLiteral(":/icons/") +
                QString::fromUtf8(picture.data(), static_cast<qsizetype>(picture.size())) +
                QStringLiteral(".svg")));
        }
    }
    return {};
}

}  // namespace bb
