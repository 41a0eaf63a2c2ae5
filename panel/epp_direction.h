#pragma once

#include <QObject>

class QWidget;

namespace voltarix::ui {
class GlyphButton;
class MessageService;
} // namespace voltarix::ui

namespace voltarix::panel {

class DirectionIndication;
class EppPage;
class PinModel;

// Switches the data lines of a bidirectional port between output and input
// with control bit 5, and turns direction monitoring on and off.
class EppDirection : public QObject {
    Q_OBJECT
public:
    EppDirection(PinModel& pins, DirectionIndication& indication, EppPage& page,
                 ui::GlyphButton& directionButton, ui::MessageService& messages, QWidget* owner,
                 QObject* parent);

    // Flips only the direction bit; true when the write went through.
    bool InOut();

    void SpeedButton32Click(); // toggle
    void SpeedButton33Click(); // input
    void SpeedButton34Click(); // output
    void SpeedButton35Click(); // information
    void CheckBox31Click();

private:
    bool portIsBidirectional() const;
    void showEppUnavailable();
    void indicate();

    PinModel& pins_;
    DirectionIndication& indication_;
    EppPage& page_;
    ui::MessageService& messages_;
    QWidget* owner_;
};

} // namespace voltarix::panel
