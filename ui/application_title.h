#pragma once

#include <QString>

namespace voltarix::ui {

// The program's title, the text a task bar shows for it.
//
// It is kept apart from Qt's application display name on purpose: Qt on X11
// appends the display name to every window's caption ("ERROR —  VOLTARIX"),
// and every caption must reach the window system exactly as the program set
// it. The main window shows the title as its caption, which is what a task
// bar lists; the application's standard error box carries it too.
void setApplicationTitle(const QString& title);
QString applicationTitle();

} // namespace voltarix::ui
