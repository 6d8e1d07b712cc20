#include "ui/icons.h"

#include <QString>
#include <array>
#include <utility>

namespace bb {

namespace {
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
            return QIcon(QStringLiteral(":/icons/") +
                         QString::fromUtf8(picture.data(), static_cast<qsizetype>(picture.size())) +
                         QStringLiteral(".svg"));
        }
    }
    return {};
}

}  // namespace bb
