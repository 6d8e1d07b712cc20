#include "ui/help_topics.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace bb {

namespace {
constexpr const char* kTopicProperty = "brokerbookHelpTopic";
// Between the pages of a topic; never part of a procedure's name.
constexpr char kOrElse = ';';
}  // namespace

void setHelpTopic(QWidget& window, std::string_view topic) {
    window.setProperty(kTopicProperty,
                       QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size())));
}

std::string helpTopicAt(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QString topic = widget->property(kTopicProperty).toString();
        if (!topic.isEmpty()) return topic.toStdString();
    }
    return {};
}

std::string helpTopicOrElse(std::string_view topic, std::string_view fallback) {
    if (topic.empty()) return std::string(fallback);
    if (fallback.empty()) return std::string(topic);
    std::string both(topic);
    both += kOrElse;
    both += fallback;
    return both;
}

std::vector<std::string> helpTopicChoices(std::string_view topic) {
    std::vector<std::string> choices;
    while (!topic.empty()) {
        const std::size_t end = std::min(topic.find(kOrElse), topic.size());
        if (end > 0) choices.emplace_back(topic.substr(0, end));
        topic.remove_prefix(std::min(end + 1, topic.size()));
    }
    return choices;
}

}  // namespace bb
