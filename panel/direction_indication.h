#pragma once

#include <QString>

class QLabel;
class QLineEdit;

namespace voltarix::ui {
class GlyphButton;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::panel {

class PinModel;

// Shows the data lines' direction: the colour of the data pin string, the
// indicator's caption, the direction button's picture and the status bar.
class DirectionIndication {
public:
    static constexpr int statusPanel = 3;

    DirectionIndication(PinModel& pins, QLineEdit& dataPins, QLabel& indicator,
                        ui::GlyphButton& directionButton, ui::StatusBar& statusBar);

    // Reads the direction bit twice, once for each direction, as the port
    // may change between the two readings.
    void apply();
    // "Данные: " and the indicator's caption into the status bar.
    void showInStatusBar();
    // The monitor paints the indicator in the data pins' colour.
    void paintIndicatorInDataColour();
    void showNotMonitored();

private:
    PinModel& pins_;
    QLineEdit& dataPins_;
    QLabel& indicator_;
    ui::GlyphButton& directionButton_;
    ui::StatusBar& statusBar_;
};

} // namespace voltarix::panel
