#include "ui/help_topics.h"

#include <QVariant>
#include <QWidget>

namespace bb {

namespace {
constexpr const char* kTopicProperty = "brokerbookHelpTopic";
}

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

}  // namespace bb
