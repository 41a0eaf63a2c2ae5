#pragma once

#include <QString>

namespace voltarix::ui {

// The application's title: the text the task bar shows for the program and
// the caption of the application's standard error box. It is kept apart from
// Qt's application display name, which the window system would append to
// every window's caption ("О программе —  VOLTARIX").
void setApplicationTitle(const QString& title);
QString applicationTitle();

} // namespace voltarix::ui
