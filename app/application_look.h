#pragma once

class QApplication;

namespace voltarix::app {

// The program's style and type: Fusion for the same look everywhere, and a
// small sans-serif face, since the window's panels are laid out in fixed
// pixels for 8-point type; the program's title for the task bar; and Qt's
// Russian translation for the standard dialogs and buttons.
void applyApplicationLook(QApplication& app);

} // namespace voltarix::app
