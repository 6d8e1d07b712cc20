// Which help page belongs to a window. Each window names its help topic,
// normally its procedure name ("BrowseMembers"); F1 and the help buttons open
// the page of the window that holds the focus, and a control inside a window
// without a topic of its own gets the page of the window around it.
//
// The topic is kept on the widget itself and goes when it goes. Used from the
// GUI thread only.
#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace bb {

void setHelpTopic(QWidget& window, std::string_view topic);
// The topic of `widget` or of the nearest window around it that has one;
// empty when none has (or for null).
std::string helpTopicAt(const QWidget* widget);

}  // namespace bb
