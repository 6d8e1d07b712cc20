// Which help page belongs to a window. Each window names its help topic,
// normally its procedure name ("BrowseMembers"); F1 and the help buttons open
// the page of the window that holds the focus, and a control inside a window
// without a topic of its own gets the page of the window around it.
//
// A topic may name several pages in order of preference, and the help opens
// the first of them it has: a report's window offers the report's own page
// and, while that is not written, the page on reports as they run.
//
// The topic is kept on the widget itself and goes when it goes. Used from the
// GUI thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace bb {

void setHelpTopic(QWidget& window, std::string_view topic);
// The topic of `widget` or of the nearest window around it that has one;
// empty when none has (or for null).
std::string helpTopicAt(const QWidget* widget);

// `topic`, or `fallback` where the help has no page for it.
std::string helpTopicOrElse(std::string_view topic, std::string_view fallback);
// The pages a topic names, in order of preference (none for an empty one).
std::vector<std::string> helpTopicChoices(std::string_view topic);

}  // namespace bb
