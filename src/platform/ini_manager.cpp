#include "platform/ini_manager.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <charconv>
#include <optional>

namespace bb {

namespace {
constexpr std::string_view kMaximize = "Maximize";
constexpr std::string_view kXPos = "XPos";
constexpr std::string_view kYPos = "YPos";
constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";

QString qt(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString keyOf(std::string_view section, std::string_view entry) {
    return qt(section) + QLatin1Char('/') + qt(entry);
}

std::optional<int> wholeNumber(const std::string& s) {
    int value = 0;
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<WindowRect> storedRect(const IniManager& ini, std::string_view section) {
    const auto x = wholeNumber(ini.FetchQuietly(section, kXPos));
    const auto y = wholeNumber(ini.FetchQuietly(section, kYPos));
    const auto width = wholeNumber(ini.FetchQuietly(section, kWidth));
    const auto height = wholeNumber(ini.FetchQuietly(section, kHeight));
    if (!x || !y || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
    return WindowRect{*x, *y, *width, *height};
}
}  // namespace

std::string IniManager::FetchQuietly(std::string_view section, std::string_view entry) const {
    const QSettings file(qt(fileName_), QSettings::IniFormat);
    const QVariant value = file.value(keyOf(section, entry));
    if (!value.isValid()) return std::string(kUnknown);
    // An unquoted value with commas reads back as a list; it was one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

std::string IniManager::Fetch(std::string_view section, std::string_view entry) const {
    std::string value = FetchQuietly(section, entry);
    return value == kUnknown ? std::string() : value;
}

void IniManager::Update(std::string_view section, std::string_view entry, std::string_view value) {
    QSettings file(qt(fileName_), QSettings::IniFormat);
    file.setValue(keyOf(section, entry), qt(value));
    file.sync();
}

void IniManager::LoadWindowPlacement(std::string_view section, PlacedWindow& window) const {
    const std::string maximize = Fetch(section, kMaximize);
    if (maximize != "Yes" && maximize != "No") return;
    if (maximize == "No" && window.maximized()) window.setMaximized(false);
    if (!Fetch(section, kXPos).empty()) {
        if (const auto rect = storedRect(*this, section)) window.setRect(*rect);
    }
    window.setMaximized(maximize == "Yes");
}

void IniManager::SaveWindowPlacement(std::string_view section, const PlacedWindow& window) {
    if (window.minimized()) return;
    const bool maximized = window.maximized();
    Update(section, kMaximize, maximized ? "Yes" : "No");
    if (maximized) return;
    const WindowRect rect = window.rect();
    Update(section, kXPos, std::to_string(rect.x));
    Update(section, kYPos, std::to_string(rect.y));
    Update(section, kHeight, std::to_string(rect.height));
    Update(section, kWidth, std::to_string(rect.width));
}

IniManager& settingsFile() {
    static IniManager ini;
    return ini;
}

}  // namespace bb
