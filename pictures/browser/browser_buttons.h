#pragma once

class QWidget;

namespace voltarix::ui {
class ClickRegistry;
class GlyphButton;
} // namespace voltarix::ui

namespace voltarix::pictures {

// The two browser commands on the tab "Сервис ": open a picture file into the
// browser (SpeedButton27) and show the browser (SpeedButton28). The browser
// window is made at start-up after the main window, so a button runs whatever
// operation is registered under its name by then.
struct BrowserButtons {
    BrowserButtons(QWidget* tab, const ui::ClickRegistry& clicks);

    ui::GlyphButton* SpeedButton27 = nullptr;
    ui::GlyphButton* SpeedButton28 = nullptr;
};

} // namespace voltarix::pictures
